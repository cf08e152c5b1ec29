#include "sysinfo/reportmail.h"

namespace sysinfo {

std::string reportMailSubject(platform::System& system) {
  const platform::LocalTime now = system.now();
  std::string subject = "Orvanta Kestrel " + system.shortDate(now);
  const bool midnight =
      now.hour == 0 && now.minute == 0 && now.second == 0 && now.milliseconds == 0;
  if (!midnight) subject += " " + system.longTime(now);
  return subject;
}

bool mailSupported(platform::Registry& registry, const platform::OsVersion& version) {
  // Systems up to 3.51 declared it in the user profile instead; none of them runs a 64-bit
  // program, so they count as without.
  if (version.major < 3 || (version.major == 3 && version.minor <= 51)) return false;
  return registry.readStringInAnyView(platform::RegRoot::LocalMachine, "SOFTWARE\\Microsoft\\Windows Messaging Subsystem",
                             "MAPI") == "1";
}

bool mailReport(platform::Mail& mail, platform::Registry& registry, platform::System& system,
                uintptr_t parentWindow, const std::string& body) {
  if (!mailSupported(registry, system.osVersion())) return false;
  return mail.sendMail(parentWindow, reportMailSubject(system), body) == 0;
}

}  // namespace sysinfo
