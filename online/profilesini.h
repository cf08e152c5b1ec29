// Firefox's profiles.ini: which folder below the Firefox folder holds the first profile.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace online {

// The value of "Path" in section "Profile0", read as the Windows profile functions read it:
// section and key names in any letter case, blanks and tabs around names and values dropped,
// a value in matching quotes taken without them, the first section and key of a name winning.
// nullopt when the section or the key is missing.
std::optional<std::string> readProfilePath(std::string_view iniText);

// A profile path that names a folder below the Firefox folder: not empty, relative, without a
// ".." step or a drive, and short enough for a Windows path. profiles.ini comes from outside,
// and a path that leaves the Firefox folder is not the user's profile.
bool isProfileFolder(std::string_view path);

}  // namespace online
