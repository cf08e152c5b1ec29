// Registry keys and values as text that regedit imports (the REGEDIT4 format), so that what
// the scan deletes can be put back by opening the file.
//
// Strings are ANSI text, which regedit reads in the system's code page. A value is written so
// that its bytes come back as they were: a string in quotes only when it holds no line break
// and no zero byte (with \\ and \" for backslash and quote), otherwise as hex(1); a double
// word as dword: only when it has exactly four bytes; every other type as hex(<type>) of its
// raw bytes. Hex data wraps as regedit writes it: after the comma that takes a line to 77
// characters comes a backslash, and the next line starts with two blanks.
#pragma once

#include <string>

#include "platform/registry.h"

namespace scan {

inline constexpr const char* kRegeditHeader = "REGEDIT4\r\n";

// Whether regedit can read a key or value name back from the format: no line break (which
// would end the line early and could make the rest of the name read as lines of their own)
// and no zero byte.
bool regeditCanName(const std::string& name);

// A blank line and the key's line: "\r\n[HKEY_CURRENT_USER\Software\Vendor]\r\n". path holds
// the key names below the root, separated by single backslashes.
std::string regeditKeyLine(platform::RegRoot root, const std::string& path);

// A comment line that names a registry link in the tree and where it led: a link is deleted as
// the link, what it led to stays, and the format cannot make a link again. Line breaks in the
// target (which the system does not check) become blanks.
std::string regeditLinkNote(platform::RegRoot root, const std::string& path,
                            const std::string& target);

// A value's line(s), ended with CR LF; the empty name is the key's default value ("@=").
// value.data holds strings without their terminating zero, as RegKey::read gives them.
std::string regeditValueLines(const std::string& name, const platform::RegValue& value);

}  // namespace scan
