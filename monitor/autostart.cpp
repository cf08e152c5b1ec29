#include "monitor/autostart.h"

namespace monitor {

std::string autostartCommand(const std::string& programDir, const std::string& argument) {
  return "\"" + programDir + "qexsys.exe\" " + argument;
}

void setAutostart(platform::Registry& registry, const std::string& valueName,
                  const std::string& data, bool on) {
  auto key = registry.open(platform::RegRoot::CurrentUser, kRunKey, platform::RegAccess::AllAccess);
  if (!key) return;
  if (on)
    key->writeString(valueName, data);
  else
    key->deleteValue(valueName);
}

}  // namespace monitor
