#include "cleanup/ansi_case.h"

#include <array>

namespace cleanup {

namespace {

std::array<unsigned char, 256> makeFold() {
  std::array<unsigned char, 256> t{};
  for (int c = 0; c < 256; ++c) t[c] = static_cast<unsigned char>(c);
  for (int c = 'A'; c <= 'Z'; ++c) t[c] = static_cast<unsigned char>(c + 32);
  for (int c = 0xC0; c <= 0xDE; ++c)
    if (c != 0xD7) t[c] = static_cast<unsigned char>(c + 32);
  t[0x8A] = 0x9A;  // S caron
  t[0x8C] = 0x9C;  // OE
  t[0x8E] = 0x9E;  // Z caron
  t[0x9F] = 0xFF;  // Y diaeresis
  return t;
}

const std::array<unsigned char, 256> kFold = makeFold();

// The sort weight of a byte: the separator first, then every byte by its small letter.
unsigned weight(char c) {
  return c == '\\' ? 0u : kFold[static_cast<unsigned char>(c)] + 1u;
}

}  // namespace

char foldAnsi(char c) { return static_cast<char>(kFold[static_cast<unsigned char>(c)]); }

std::string foldAnsi(std::string s) {
  for (char& c : s) c = foldAnsi(c);
  return s;
}

bool PathLess::operator()(const std::string& a, const std::string& b) const {
  size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    unsigned wa = weight(a[i]), wb = weight(b[i]);
    if (wa != wb) return wa < wb;
  }
  return a.size() < b.size();
}

}  // namespace cleanup
