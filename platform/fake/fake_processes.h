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
  std::optional<ProcessTime> created = 1;  // nullopt: not even its start can be read
};

class FakeProcesses : public Processes {
 public:
  std::vector<FakeProcess> running;  // in the system's order
  std::map<std::string, std::map<std::string, std::string>, AsciiNoCaseLess> versions;  // by path
  std::vector<uint32_t> terminated;  // every pid ended, in order

  std::vector<ProcessEntry> snapshot() override;
  std::vector<uint32_t> enumerate() override;
  ProcessIdentity identify(uint32_t pid) override;
  Ending terminate(uint32_t pid, const ProcessIdentity& identified) override;
  std::optional<std::map<std::string, std::string>> versionStrings(const std::string& path) override;
};

}  // namespace platform::fake
