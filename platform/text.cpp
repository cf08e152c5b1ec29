#include "platform/text.h"

#include <cstdio>

#include "platform/textcase.h"

namespace platform {

std::string trim(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
  return s.substr(b, e - b);
}

std::optional<int32_t> parseInteger(const std::string& s) {
  size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
  int base = 10;
  if (i < s.size() && s[i] == '$') base = 16, ++i;
  else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) base = 16, i += 2;
  if (i >= s.size()) return std::nullopt;
  int64_t value = 0;
  for (; i < s.size(); ++i) {
    const char c = asciiLower(s[i]);
    int digit;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else return std::nullopt;
    value = value * base + digit;
    // Hexadecimal may spell the full 32 bits (as $FFFFFFFF = -1); decimal must fit the sign.
    if (value > (base == 16 ? 0xFFFFFFFFLL : 0x80000000LL)) return std::nullopt;
  }
  if (base == 16) value = static_cast<int32_t>(static_cast<uint32_t>(value));
  if (negative) value = -value;
  if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
  return static_cast<int32_t>(value);
}

std::string groupThousands(uint64_t value, const std::string& separator) {
  const std::string digits = std::to_string(value);
  std::string out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += separator;
    out += digits[i];
  }
  return out;
}

std::string twoDecimals(double value, char decimalSeparator) {
  char text[400];
  std::snprintf(text, sizeof text, "%.2f", value);
  std::string out = text;
  for (char& c : out)
    if (c == '.') c = decimalSeparator;
  return out;
}

}  // namespace platform
