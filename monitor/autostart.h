// The two logon modes as values under the current user's Run key, so that Windows starts the
// program with "-scan" or "-monitor" when the user logs on.
#pragma once

#include <string>

#include "platform/registry.h"

namespace monitor {

constexpr const char* kRunKey = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kScanValue = "QKR System Scan";
constexpr const char* kMonitorValue = "QKR System Monitor";

// The value's data: the quoted program file in programDir (which ends with a backslash) and the
// switch. The file is named "qexsys.exe" whatever the running program file is called.
std::string autostartCommand(const std::string& programDir, const std::string& argument);

// Writes the value (on) or deletes it (off) under HKEY_CURRENT_USER's Run key. A Run key that
// does not exist is neither created nor touched; registry failures are ignored.
void setAutostart(platform::Registry& registry, const std::string& valueName,
                  const std::string& data, bool on);

}  // namespace monitor
