// Running processes a test lists, with the modules the program may read, the ones it may not
// end, and the version resources of files.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/processes.h"
#include "platform/textcase.h"

namespace platform::fake {

struct FakeProcess {
  uint32_t pid = 0;
  std::string exeFile;                    // as the snapshot names it
  std::optional<std::string> moduleName;  // nullopt: the process cannot be opened for query
  bool terminable = true;
};

class FakeProcesses : public Processes {
 public:
  std::vector<FakeProcess> running;  // in the system's order
  std::map<std::string, std::map<std::string, std::string>, AsciiNoCaseLess> versions;  // by path
  std::vector<uint32_t> terminated;  // every pid ended, in order

  std::vector<ProcessEntry> snapshot() override;
  std::vector<uint32_t> enumerate() override;
  std::optional<std::string> firstModuleName(uint32_t pid) override;
  bool terminate(uint32_t pid) override;
  std::optional<std::map<std::string, std::string>> versionStrings(const std::string& path) override;
};

}  // namespace platform::fake
