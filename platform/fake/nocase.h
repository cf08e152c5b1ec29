// Letter case as the Windows fakes compare names: ASCII letters fold, everything else is
// compared byte by byte, which is what the system does for the names the program uses.
#pragma once

#include <string>

namespace platform::fake {

inline char foldCase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

inline std::string foldCase(std::string s) {
  for (char& c : s) c = foldCase(c);
  return s;
}

inline bool equalsNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (foldCase(a[i]) != foldCase(b[i])) return false;
  return true;
}

struct NoCaseLess {
  bool operator()(const std::string& a, const std::string& b) const {
    return foldCase(a) < foldCase(b);
  }
};

}  // namespace platform::fake
