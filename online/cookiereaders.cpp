#include "online/cookiereaders.h"

#include <limits>

#include "online/community.h"
#include "platform/textcase.h"

namespace online {
namespace {

constexpr std::string_view kKey = community::kMemberCookie;

bool startsWithNoCase(std::string_view text, size_t at, std::string_view lowerPrefix) {
  if (text.size() - at < lowerPrefix.size()) return false;
  for (size_t i = 0; i < lowerPrefix.size(); ++i)
    if (platform::asciiLower(text[at + i]) != lowerPrefix[i]) return false;
  return true;
}

size_t findNoCase(std::string_view text, size_t from, std::string_view lowerNeedle) {
  for (size_t at = from; at + lowerNeedle.size() <= text.size(); ++at)
    if (startsWithNoCase(text, at, lowerNeedle)) return at;
  return std::string_view::npos;
}

// The lines of a text one after the other, without their line ends; a line end at the very
// end of the text starts no further line.
class Lines {
 public:
  explicit Lines(std::string_view text) : text_(text) {}
  bool next(std::string_view& line) {
    if (pos_ >= text_.size()) return false;
    // A plain scan: find_first_of looks each byte up in the set, several times slower on the
    // long files this reads.
    size_t end = pos_;
    while (end < text_.size() && text_[end] != '\n' && text_[end] != '\r') ++end;
    line = text_.substr(pos_, end - pos_);
    const bool crlf = text_.compare(end, 2, "\r\n") == 0;
    pos_ = end + (crlf ? 2 : 1);
    return true;
  }

 private:
  std::string_view text_;
  size_t pos_ = 0;
};

void passed(const AfterLine& afterLine) {
  if (afterLine) afterLine();
}

// Applies a cookie value to what was found; true when it named a member.
bool take(std::string_view value, CookieFind& find) {
  if (auto id = parseMemberId(value)) {
    find.memberId = *id;
    return true;
  }
  find.invalidCode = true;
  return false;
}

}  // namespace

std::optional<int32_t> parseMemberId(std::string_view text) {
  size_t i = 0;
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) negative = text[i++] == '-';
  if (i == text.size()) return std::nullopt;
  int64_t value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value = value * 10 + (text[i] - '0');
    if (value > std::numeric_limits<int32_t>::max()) return std::nullopt;
  }
  if (negative || value == 0) return std::nullopt;
  return static_cast<int32_t>(value);
}

CookieFind readIeCookies(std::string_view text, const AfterLine& afterLine) {
  CookieFind find;
  Lines lines(text);
  std::string_view line;
  while (lines.next(line)) {
    if (line.size() == kKey.size() && startsWithNoCase(line, 0, kKey)) {
      Lines after = lines;
      std::string_view value;
      if (after.next(value) && take(value, find)) return find;
    }
    passed(afterLine);
  }
  return find;
}

CookieFind readFirefoxCookies(std::string_view text, std::string_view host,
                              const AfterLine& afterLine) {
  CookieFind find;
  if (host.empty()) return find;
  Lines lines(text);
  std::string_view line;
  while (lines.next(line)) {
    // The host must be the whole first field: a line of "host.elsewhere" or of a longer name
    // that merely begins with the host belongs to another site.
    if (line.size() > host.size() && line[host.size()] == '\t' && startsWithNoCase(line, 0, host)) {
      const size_t key = findNoCase(line, host.size(), kKey);
      if (key != std::string_view::npos) {
        // The key, one separator, and at least one character of value.
        const size_t value = key + kKey.size() + 1;
        if (value < line.size()) take(line.substr(value), find);
        return find;
      }
    }
    passed(afterLine);
  }
  return find;
}

}  // namespace online
