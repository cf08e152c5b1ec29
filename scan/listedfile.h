// Which lines of the file list may be looked up at all. A line names a file by its path below
// the Windows directory, and whatever the scan finds there can later be deleted or moved away,
// so a line must not be able to name anything else: no way up (".."), out (a drive, a leading
// backslash, a device) or into a pattern.
#pragma once

#include <string>

namespace scan {

// Whether the Windows directory, a backslash and this line name a file inside the Windows
// directory: only names separated by backslashes (or slashes, which Windows reads alike), none
// of them empty, made of dots and blanks alone, or a device name ("NUL", "COM1.txt"), and no
// drive, stream or wildcard character (':', '*', '?', '"', '<', '>', '|') or control byte.
bool namesFileInside(const std::string& line);

}  // namespace scan
