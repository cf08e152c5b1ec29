#include "cleanup/ansi_case.h"

#include "platform/textcase.h"

namespace cleanup {

namespace {

// The sort weight of a byte: the separator first, then every byte by its small letter.
unsigned weight(char c) {
  return c == '\\' ? 0u : static_cast<unsigned char>(platform::ansiLower(c)) + 1u;
}

}  // namespace

bool PathLess::operator()(const std::string& a, const std::string& b) const {
  size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    unsigned wa = weight(a[i]), wb = weight(b[i]);
    if (wa != wb) return wa < wb;
  }
  return a.size() < b.size();
}

}  // namespace cleanup
