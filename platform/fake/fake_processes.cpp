#include "platform/fake/fake_processes.h"

#include <algorithm>

namespace platform::fake {

std::vector<ProcessEntry> FakeProcesses::snapshot() {
  std::vector<ProcessEntry> entries;
  for (const auto& p : running) entries.push_back({p.pid, p.exeFile});
  return entries;
}

std::vector<uint32_t> FakeProcesses::enumerate() {
  std::vector<uint32_t> pids;
  for (const auto& p : running) pids.push_back(p.pid);
  return pids;
}

ProcessIdentity FakeProcesses::identify(uint32_t pid) {
  for (const auto& p : running)
    if (p.pid == pid) return {p.moduleName, p.created};
  return {};
}

Ending FakeProcesses::terminate(uint32_t pid, const ProcessIdentity& identified) {
  auto it = std::find_if(running.begin(), running.end(), [&](const FakeProcess& p) { return p.pid == pid; });
  if (it == running.end()) return Ending::Gone;
  if (!identified.created) return Ending::Refused;
  if (!sameProcess({it->moduleName, it->created}, identified)) return Ending::Gone;
  if (!it->terminable) return Ending::Refused;
  running.erase(it);
  terminated.push_back(pid);
  return Ending::Ended;
}

std::optional<std::map<std::string, std::string>> FakeProcesses::versionStrings(const std::string& path) {
  auto it = versions.find(path);
  if (it == versions.end()) return std::nullopt;
  return it->second;
}

}  // namespace platform::fake
