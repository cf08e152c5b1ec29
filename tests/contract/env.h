// The implementation the contract cases run on: the fakes in contract_fake
// (QEX_CONTRACT_FAKE), the real calls in contract_win32.exe under Wine. Each case gets fresh
// services, a scratch registry key below HKEY_CURRENT_USER and a scratch folder, both
// emptied before and after it.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/services.h"

namespace contract {

// Below HKEY_CURRENT_USER.
inline const char* const kScratchKey = "Software\\QexContract";

struct OwnProcess {
  uint32_t pid = 0;
  std::string exeFile;  // the program file's name
};

// A process the case may end; the fake lists it, Windows runs it.
class Victim {
 public:
  virtual ~Victim() = default;
  virtual uint32_t pid() const = 0;
};

class Contract : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  platform::Services& sys() { return *services_; }
  // With a trailing backslash; exists and is empty at the start of the case.
  const std::string& scratchFolder() const { return scratch_; }

  // The running test program as the process list shows it.
  OwnProcess ownProcess();
  std::unique_ptr<Victim> startVictim();
#ifndef QEX_CONTRACT_FAKE
  // For a 32-bit test program on 64-bit Windows: a 64-bit process, whose modules it cannot read.
  std::unique_ptr<Victim> startSixtyFourBitVictim();
#endif
  // A file of the Windows folder that carries a version resource.
  std::string versionedFile();
  // A library in the scratch folder whose version resource (Unicode, as linkers write it) has
  // one string table, US English, with a "LegalCopyright" of the given text; with
  // translated false its translation table is empty, and with terminated false the text runs to
  // the very end of the resource without a terminating zero.
  std::string libraryWithCopyright(const std::string& text, bool translated, bool terminated);
  // The built skin library, with at least the "error" picture and the "warning" sound.
  std::string skinLibrary();
  // The arguments the C runtime gave main(), after the program name.
  std::vector<std::string> runtimeArguments();
  // A registry link at path below HKEY_CURRENT_USER (its parent must exist) that leads to the key
  // at target below HKEY_LOCAL_MACHINE, made as the system makes one.
  bool makeRegistryLink(const std::string& path, const std::string& target);
  // Whether a key lies at this path below HKEY_LOCAL_MACHINE as the 64-bit view names it, asked
  // of the system itself, past the platform layer.
  bool inSixtyFourBitView(const std::string& path);
  // Lets the system deliver what happened (Windows hands file changes on asynchronously).
  void settle();

 private:
  void clearScratch();
  void emptyFolder(const std::string& folder);

  std::unique_ptr<platform::Services> services_;
  std::string scratch_;
};

}  // namespace contract
