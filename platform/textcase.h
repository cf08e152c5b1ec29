// Letter case, in the two senses the program compares names in. Neither looks at the C
// locale: the same bytes must fold the same way on every machine and in every build.
//
// ASCII folds A-Z and nothing else. It is the case of protocol tokens (URL schemes, HTTP
// header names), INI sections and keys, skin resource names, and of the names the platform
// fakes compare the way the system does for the names the program uses.
//
// ANSI folds the capitals of the Windows-1252 code page as well (E acute 0xC9 to 0xE9, S caron
// 0x8A to 0x9A, ...), as the file system compares file names: the finder's masks, exclusions
// and pending folders.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace platform {

constexpr char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }
constexpr char asciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }
std::string asciiLower(std::string s);
std::string asciiUpper(std::string s);
bool equalsAsciiNoCase(std::string_view a, std::string_view b);
// Orders by the ASCII small letters, as the fakes list names the system sorts without case.
struct AsciiNoCaseLess {
  bool operator()(std::string_view a, std::string_view b) const;
};

namespace detail {
constexpr std::array<unsigned char, 256> makeAnsiLower() {
  std::array<unsigned char, 256> t{};
  for (int c = 0; c < 256; ++c) t[c] = static_cast<unsigned char>(c);
  for (int c = 'A'; c <= 'Z'; ++c) t[c] = static_cast<unsigned char>(c + 32);
  // A grave to Thorn, except the multiplication sign that sits among them.
  for (int c = 0xC0; c <= 0xDE; ++c)
    if (c != 0xD7) t[c] = static_cast<unsigned char>(c + 32);
  t[0x8A] = 0x9A;  // S caron
  t[0x8C] = 0x9C;  // OE
  t[0x8E] = 0x9E;  // Z caron
  t[0x9F] = 0xFF;  // Y diaeresis
  return t;
}
inline constexpr std::array<unsigned char, 256> kAnsiLower = makeAnsiLower();
}  // namespace detail

// Inline: the finder folds every byte of every name it walks.
constexpr char ansiLower(char c) {
  return static_cast<char>(detail::kAnsiLower[static_cast<unsigned char>(c)]);
}
std::string ansiLower(std::string s);

}  // namespace platform
