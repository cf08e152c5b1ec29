// Running processes: the tool-help snapshot, process IDs with their first module's name,
// termination, and the version resource of a file.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// 100-nanosecond intervals since 1601-01-01 UTC, as Windows keeps process times.
using ProcessTime = uint64_t;

// Who a process is, as far as it tells: the name of its first module and when it started.
// Together they tell a process from a later one that was given its ID; either is nullopt when
// the process cannot be opened to read it.
struct ProcessIdentity {
  std::optional<std::string> name;
  std::optional<ProcessTime> created;
};

// Whether a process read now is the one identified before: the same creation time, which must
// be known, and the same name. A process identified without a name (one just starting, whose
// modules could not be read yet) is told by its creation time alone.
inline bool sameProcess(const ProcessIdentity& now, const ProcessIdentity& identified) {
  return identified.created && now.created == identified.created &&
         (!identified.name || now.name == identified.name);
}

// How an attempt to end a process went.
enum class Ending {
  Ended,
  Gone,     // the process identified so is no longer running: its ID is free or names another
  Refused,  // still running, or not to be told from another: the system or the check said no
};

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
  // The first module's name (EnumProcessModules + GetModuleBaseNameA) and the creation time
  // (GetProcessTimes), read through one handle.
  virtual ProcessIdentity identify(uint32_t pid) = 0;
  // Ends the process with this ID only while it is the one identified so (sameProcess): its
  // identity is read again through the handle that ends it. Without a creation time nothing
  // can be told, and nothing is ended.
  virtual Ending terminate(uint32_t pid, const ProcessIdentity& identified) = 0;
  // String-table values of a file's version resource, keyed by name ("CompanyName", ...),
  // for the file's first language; nullopt when the file has no version resource.
  virtual std::optional<std::map<std::string, std::string>> versionStrings(const std::string& path) = 0;
};

}  // namespace platform
