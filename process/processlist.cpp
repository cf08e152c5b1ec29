#include "process/processlist.h"

#include <algorithm>

namespace process {
namespace {

// MAX_PATH less the terminating zero.
constexpr size_t kMaxModuleName = 259;
// The copy buffer of 100 characters less the terminating zero.
constexpr size_t kMaxVersionString = 99;

}  // namespace

std::vector<ProcessRow> listProcesses(platform::Processes& processes) {
  std::vector<ProcessRow> rows;
  for (uint32_t pid : processes.enumerate()) rows.push_back({pid, processName(processes, pid)});
  return rows;
}

std::string processName(platform::Processes& processes, uint32_t pid) {
  std::string name = processes.firstModuleName(pid).value_or(kUnknownProcess);
  if (name.size() > kMaxModuleName) name.resize(kMaxModuleName);
  return name;
}

std::string exactNameMask(const std::string& name) {
  std::string mask;
  for (char c : name) mask += c == '[' ? std::string("[[]") : std::string(1, c);
  return mask;
}

bool isListed(platform::Processes& processes, uint32_t pid) {
  const auto pids = processes.enumerate();
  return std::find(pids.begin(), pids.end(), pid) != pids.end();
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
