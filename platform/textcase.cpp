#include "platform/textcase.h"

namespace platform {

std::string asciiLower(std::string s) {
  for (char& c : s) c = asciiLower(c);
  return s;
}

std::string asciiUpper(std::string s) {
  for (char& c : s) c = asciiUpper(c);
  return s;
}

bool equalsAsciiNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (asciiLower(a[i]) != asciiLower(b[i])) return false;
  return true;
}

bool AsciiNoCaseLess::operator()(std::string_view a, std::string_view b) const {
  const size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    const auto x = static_cast<unsigned char>(asciiLower(a[i]));
    const auto y = static_cast<unsigned char>(asciiLower(b[i]));
    if (x != y) return x < y;
  }
  return a.size() < b.size();
}

std::string ansiLower(std::string s) {
  for (char& c : s) c = ansiLower(c);
  return s;
}

}  // namespace platform
