// The order of the finder's pending folders: full paths compared by the ANSI letter case the
// file system ignores (platform/textcase.h).
#pragma once

#include <string>

namespace cleanup {

// Orders full folder paths without regard to case, with the separator below every other
// character, so that a folder's whole subtree sorts right after it and before its next
// sibling ("a\", "a\x\", "a b\", "ab\").
struct PathLess {
  bool operator()(const std::string& a, const std::string& b) const;
};

}  // namespace cleanup
