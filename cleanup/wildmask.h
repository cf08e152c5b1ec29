// Wildcard masks on file names: "*" takes any run of characters, "?" exactly one, "[...]" one
// character of a set of characters and ranges ("[a-f0-9]"), "[!...]" one character outside the
// set; anything else stands for itself. Letter case does not count and the whole name must
// match, so "*.*" takes only names with a dot in them.
//
// A malformed mask is found when it is parsed but reported only when it is used, as
// MaskError "'<mask>' is an invalid mask at (<n>)": n is the 1-based place where reading
// failed (one past the end for a set left open).
#pragma once

#include <bitset>
#include <stdexcept>
#include <string>
#include <vector>

namespace cleanup {

class MaskError : public std::runtime_error {
 public:
  MaskError(const std::string& mask, size_t position);
};

class WildMask {
 public:
  explicit WildMask(const std::string& mask);
  bool valid() const { return fault_ == 0; }
  // Throws MaskError when the mask is malformed.
  bool matches(const std::string& name) const;

 private:
  struct Token {
    bool star = false;
    std::bitset<256> accepts;  // folded characters one place may hold
  };
  size_t parseSet(size_t open);

  std::string text_;
  std::vector<Token> tokens_;
  size_t fault_ = 0;
};

// One-off check of a name against a mask.
bool matchesMask(const std::string& name, const std::string& mask);

}  // namespace cleanup
