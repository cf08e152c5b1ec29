#include "cleanup/wildmask.h"

#include <cstdint>

#include "platform/textcase.h"

namespace cleanup {

namespace {

unsigned char byte(char c) { return static_cast<unsigned char>(c); }
unsigned char folded(char c) { return byte(platform::ansiLower(c)); }

}  // namespace

MaskError::MaskError(const std::string& mask, size_t position)
    : std::runtime_error("'" + mask + "' is an invalid mask at (" + std::to_string(position) + ")") {}

WildMask::WildMask(const std::string& mask) : text_(mask) {
  for (size_t i = 0; i < mask.size() && !fault_;) {
    Token t;
    if (mask[i] == '*') {
      t.star = true;
      ++i;
      if (!tokens_.empty() && tokens_.back().star) continue;  // "**" is "*"
    } else if (mask[i] == '?') {
      t.accepts.set();
      ++i;
    } else if (mask[i] == '[') {
      tokens_.push_back(t);
      i = parseSet(i);
      continue;
    } else {
      t.accepts.set(folded(mask[i++]));
    }
    tokens_.push_back(t);
  }
}

// Reads the set opening at open into the last token; returns the index after its "]".
size_t WildMask::parseSet(size_t open) {
  std::bitset<256>& set = tokens_.back().accepts;
  size_t i = open + 1;
  bool negate = i < text_.size() && text_[i] == '!';
  if (negate) ++i;
  size_t first = i;
  for (; i < text_.size() && text_[i] != ']'; ++i) {
    unsigned char from = byte(text_[i]);
    if (i + 1 < text_.size() && text_[i + 1] == '-') {
      if (i + 2 >= text_.size() || text_[i + 2] == ']') {
        fault_ = i + 3;  // a range without its end
        return text_.size();
      }
      unsigned char to = byte(text_[i + 2]);
      if (to < from) {
        fault_ = i + 3;
        return text_.size();
      }
      for (unsigned c = from; c <= to; ++c) set.set(folded(static_cast<char>(c)));
      i += 2;
    } else {
      set.set(folded(text_[i]));
    }
  }
  if (i >= text_.size()) {
    fault_ = text_.size() + 1;
    return text_.size();
  }
  if (i == first) {
    fault_ = i + 1;  // a set of nothing matches nothing
    return text_.size();
  }
  if (negate) set.flip();
  return i + 1;
}

bool WildMask::matches(const std::string& name) const {
  if (!valid()) throw MaskError(text_, fault_);
  // Every token but "*" takes one character, so the last star is the only place to retry.
  size_t t = 0, n = 0, starT = SIZE_MAX, starN = 0;
  while (n < name.size()) {
    if (t < tokens_.size() && tokens_[t].star) {
      starT = t++;
      starN = n;
    } else if (t < tokens_.size() && tokens_[t].accepts.test(folded(name[n]))) {
      ++t;
      ++n;
    } else if (starT != SIZE_MAX) {
      t = starT + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (t < tokens_.size() && tokens_[t].star) ++t;
  return t == tokens_.size();
}

bool matchesMask(const std::string& name, const std::string& mask) { return WildMask(mask).matches(name); }

}  // namespace cleanup
