// Running processes: the tool-help snapshot, process IDs with their first module's name,
// termination, and the version resource of a file.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace platform {

struct ProcessEntry {
  uint32_t pid = 0;
  std::string exeFile;
};

class Processes {
 public:
  virtual ~Processes() = default;
  // CreateToolhelp32Snapshot with Process32First/Next.
  virtual std::vector<ProcessEntry> snapshot() = 0;
  // EnumProcesses.
  virtual std::vector<uint32_t> enumerate() = 0;
  // EnumProcessModules + GetModuleBaseNameA of the first module; nullopt when the process
  // cannot be opened for query.
  virtual std::optional<std::string> firstModuleName(uint32_t pid) = 0;
  virtual bool terminate(uint32_t pid) = 0;
  // String-table values of a file's version resource, keyed by name ("CompanyName", ...),
  // for the file's first language; nullopt when the file has no version resource.
  virtual std::optional<std::map<std::string, std::string>> versionStrings(const std::string& path) = 0;
};

}  // namespace platform
