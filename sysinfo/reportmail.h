// Handing the system report to the user's e-mail program through Simple MAPI: the subject,
// the check that the system offers Simple MAPI at all, and the call.
#pragma once

#include <cstdint>
#include <string>

#include "platform/mail.h"
#include "platform/registry.h"
#include "platform/system.h"

namespace sysinfo {

// Shown when the hand-off failed, the user's cancelling of the send dialog included.
inline constexpr const char* kMailFailureText =
    "Orvanta Kestrel could not launch the default e-mail software. Unresolved error.";

// "Orvanta Kestrel " + the date in the user's short-date format and, unless it is exactly
// midnight, a blank and the time in the long-time format.
std::string reportMailSubject(platform::System& system);

// Whether the system declares Simple MAPI: the text value "MAPI" of HKEY_LOCAL_MACHINE
// "SOFTWARE\Microsoft\Windows Messaging Subsystem" is exactly "1".
bool mailSupported(platform::Registry& registry, const platform::OsVersion& version);

// Offers the report to the mail program, which asks the user for the recipient. True when the
// mail program took it; without Simple MAPI nothing is loaded and the hand-off fails.
bool mailReport(platform::Mail& mail, platform::Registry& registry, platform::System& system,
                uintptr_t parentWindow, const std::string& body);

}  // namespace sysinfo
