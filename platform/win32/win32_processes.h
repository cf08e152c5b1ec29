// Processes through the tool-help snapshot and psapi, version resources through version.dll.
#pragma once

#include "platform/processes.h"

namespace platform::win32 {

class Win32Processes : public Processes {
 public:
  std::vector<ProcessEntry> snapshot() override;
  std::vector<uint32_t> enumerate() override;
  ProcessIdentity identify(uint32_t pid) override;
  // TerminateProcess with exit code 0.
  Ending terminate(uint32_t pid, const ProcessIdentity& identified) override;
  // VerQueryValueA can only look names up, not list them, so the map holds those of the
  // standard names the file has: Comments, CompanyName, FileDescription, FileVersion,
  // InternalName, LegalCopyright, LegalTrademarks, OriginalFilename, PrivateBuild,
  // ProductName, ProductVersion, SpecialBuild.
  std::optional<std::map<std::string, std::string>> versionStrings(const std::string& path) override;
};

}  // namespace platform::win32
