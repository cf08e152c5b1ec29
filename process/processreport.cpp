#include "process/processreport.h"

#include "process/processlist.h"
#include "startup/runkeys.h"

namespace process {

std::vector<std::string> processReport(platform::Processes& processes,
                                       platform::Registry& registry) {
  const std::string rule(55, '-');
  std::vector<std::string> lines = {"Running Processes:", rule};
  const auto running = listProcesses(processes);
  if (running.empty()) return lines;
  for (const ProcessRow& p : running) lines.push_back(p.name);
  lines.insert(lines.end(), {"", "Registry Run Values:", rule});
  for (const startup::RunKeyInView& key : startup::runKeysInViews(registry)) {
    const std::string prefix = key.rootName() + "  " + key.label + "  ";
    for (const std::string& name : startup::runValueNames(registry, key))
      lines.push_back(prefix + name);
  }
  return lines;
}

}  // namespace process
