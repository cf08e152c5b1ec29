// Folders made with every missing parent, as the program's download folder needs, and where
// the drive or share that a full path starts with ends.
#pragma once

#include <string>

#include "platform/files.h"

namespace platform {

// Creates path and the folders above it that are missing; true when the folder exists
// afterwards. A trailing backslash is allowed.
bool createFolders(Files& files, const std::string& path);

// The backslash after the drive ("C:\...") or, for a share ("\\server\share\..."), the one after
// the share's name; npos when the path has none.
size_t rootEnd(const std::string& path);

}  // namespace platform
