// Folders made with every missing parent, as the program's download folder needs.
#pragma once

#include <string>

#include "platform/files.h"

namespace platform {

// Creates path and the folders above it that are missing; true when the folder exists
// afterwards. A trailing backslash is allowed.
bool createFolders(Files& files, const std::string& path);

}  // namespace platform
