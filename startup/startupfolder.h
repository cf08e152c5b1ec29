// The all-users Startup folder: where the registry says it is, and the files in it that Windows
// starts at logon.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/registry.h"

namespace startup {

// The "Common Startup" text of the machine's shell folders, as stored there (no trailing
// backslash), read from the key opened for reading: nullopt when the key does not open,
// empty when the value is missing or not text.
std::optional<std::string> readStartupFolder(platform::Registry& registry);

// The names of the files directly in folder, in the order the file system lists them, without
// the folder's "desktop.ini" (its look, not a program).
std::vector<std::string> startupFileNames(platform::Files& files, const std::string& folder);

}  // namespace startup
