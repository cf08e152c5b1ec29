// File time stamps as the tool windows list them: the system's short date, two blanks and the
// short time, in local time ("7/15/2004  3:05 PM" with US English settings).
#pragma once

#include <string>

#include "platform/files.h"
#include "platform/system.h"

namespace frame {

// Empty for a time of 0 (a file system that keeps no time) and for a time the system cannot
// convert or format.
std::string fileTimeStamp(platform::System& system, platform::FileTime utc);

// The last-write time of the file or folder at path; empty when there is none (no such entry, or
// a path with wildcards, which would stamp whatever matched first).
std::string fileTimeStamp(platform::Files& files, platform::System& system,
                          const std::string& path);

}  // namespace frame
