#include "process/processlist.h"

namespace process {
namespace {

// MAX_PATH less the terminating zero.
constexpr size_t kMaxModuleName = 259;
// The copy buffer of 100 characters less the terminating zero.
constexpr size_t kMaxVersionString = 99;

// The name a row shows for a process identified so.
std::string processName(const platform::ProcessIdentity& identity) {
  std::string name = identity.name.value_or(kUnknownProcess);
  if (name.size() > kMaxModuleName) name.resize(kMaxModuleName);
  return name;
}

}  // namespace

std::vector<ProcessRow> listProcesses(platform::Processes& processes) {
  std::vector<ProcessRow> rows;
  for (uint32_t pid : processes.enumerate()) {
    auto identity = processes.identify(pid);
    rows.push_back({pid, processName(identity), std::move(identity)});
  }
  return rows;
}

std::string exactNameMask(const std::string& name) {
  std::string mask;
  for (char c : name) mask += c == '[' ? std::string("[[]") : std::string(1, c);
  return mask;
}

std::string versionString(platform::Processes& processes, const std::string& path,
                          const std::string& name) {
  const auto strings = processes.versionStrings(path);
  if (!strings) return std::string();
  const auto it = strings->find(name);
  if (it == strings->end()) return std::string();
  return it->second.substr(0, kMaxVersionString);
}

}  // namespace process
