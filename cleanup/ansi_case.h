// Letter case of the ANSI code page (Windows-1252): the finder's masks, exclusions and pending
// folders compare names without regard to it, as the file system does.
#pragma once

#include <string>

namespace cleanup {

// The small letter for a capital of the code page; every other byte as it is.
char foldAnsi(char c);
std::string foldAnsi(std::string s);

// Orders full folder paths without regard to case, with the separator below every other
// character, so that a folder's whole subtree sorts right after it and before its next
// sibling ("a\", "a\x\", "a b\", "ab\").
struct PathLess {
  bool operator()(const std::string& a, const std::string& b) const;
};

}  // namespace cleanup
