// The one-byte XOR that hides the signature lists and the headline file from casual reading.
// The key is fixed: the lists and the headline file written by the vendor's tools must read
// back with it, so it never changes between versions.
#pragma once

#include <string>
#include <string_view>

namespace scan {

// Chosen below 0x20 and away from TAB, CR and LF: every printable ASCII byte, TAB and every
// byte of the upper half of the ANSI code page then scrambles to something other than 0x00,
// 0x0A and 0x0D, so a scrambled entry never looks like a line end or a terminator.
inline constexpr unsigned char kScrambleKey = 0x1B;

// The plain text of stored bytes: each byte XORed with the key, the text ending before the
// first byte that comes out as zero (a stored key byte).
std::string UnscrambleText(std::string_view stored);

// The stored form of a plain text: each byte XORed with the key. A plain byte equal to the key
// is stored as zero and cuts the text when read back; the writers refuse such texts.
std::string scrambleText(std::string_view plain);

}  // namespace scan
