// The folder beside the program file that keeps what the scan took away: quarantined files
// and the registry backups.
#pragma once

#include <string>

#include "platform/files.h"

namespace scan {

// programDir ends with a backslash; the folder's path has none.
std::string quarantineFolder(const std::string& programDir);

// Creates the folder and any missing folders above it; true when it exists afterwards.
bool createFolders(platform::Files& files, const std::string& folder);

}  // namespace scan
