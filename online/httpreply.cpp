#include "online/httpreply.h"

#include <cstring>

#include "online/httperror.h"
#include "platform/textcase.h"

namespace online {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// The value after a header name, when the line starts with it (in any letter case).
std::optional<std::string> valueOf(const std::string& line, const char* name) {
  const size_t n = std::strlen(name);
  if (!platform::equalsAsciiNoCase(std::string_view(line).substr(0, n), name)) return std::nullopt;
  size_t begin = n, end = line.size();
  while (begin < end && isBlank(line[begin])) ++begin;
  while (end > begin && (isBlank(line[end - 1]) || line[end - 1] == '\r' || line[end - 1] == '\n'))
    --end;
  return line.substr(begin, end - begin);
}

// Leading decimal digits; nullopt when there are none or too many to be a real length.
std::optional<int64_t> leadingNumber(const std::string& text) {
  int64_t value = 0;
  size_t digits = 0;
  while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') {
    if (digits == 18) return std::nullopt;
    value = value * 10 + (text[digits] - '0');
    ++digits;
  }
  if (digits == 0) return std::nullopt;
  return value;
}

// The second blank-separated word, when it is a number of at most nine digits.
int statusOf(const std::string& line) {
  size_t pos = 0;
  while (pos < line.size() && line[pos] == ' ') ++pos;
  while (pos < line.size() && line[pos] != ' ') ++pos;
  while (pos < line.size() && line[pos] == ' ') ++pos;
  size_t end = pos;
  while (end < line.size() && line[end] != ' ' && line[end] != '\r' && line[end] != '\n') ++end;
  if (end == pos || end - pos > 9) return 0;
  int value = 0;
  for (size_t i = pos; i < end; ++i) {
    if (line[i] < '0' || line[i] > '9') return 0;
    value = value * 10 + (line[i] - '0');
  }
  return value;
}

bool isEmptyLine(const std::string& line) { return line == "\r\n" || line == "\n"; }

}  // namespace

size_t HttpReplyReader::readHeader(const char* data, size_t size) {
  size_t used = 0;
  while (!done_ && used < size) {
    const char* start = data + used;
    const void* lf = std::memchr(start, '\n', size - used);
    size_t take = lf ? static_cast<size_t>(static_cast<const char*>(lf) - start) + 1 : size - used;
    if (line_.size() + take > kMaxHeaderLine) throw HttpError("Reply header line too long");
    if (header_.size() + line_.size() + take > kMaxHeader)
      throw HttpError("Reply header too large");
    line_.append(start, take);
    used += take;
    if (lf) finishLine();
  }
  return used;
}

void HttpReplyReader::endHeader() {
  if (!line_.empty()) finishLine();
  done_ = true;
}

void HttpReplyReader::finishLine() {
  header_ += line_;
  if (isEmptyLine(line_)) {
    done_ = true;
  } else if (!statusRead_) {
    status_ = statusOf(line_);
  } else if (auto length = valueOf(line_, "Content-Length:")) {
    length_ = leadingNumber(*length);
  } else if (auto cookie = valueOf(line_, "Set-Cookie:")) {
    // Only the name and value go back to the server, not the attributes after them. One with
    // a carriage return inside could never be sent again, and would fail every later request.
    std::string pair = cookie->substr(0, cookie->find(';'));
    if (!pair.empty() && pair.find('\r') == std::string::npos)
      cookie_ += (cookie_.empty() ? "" : "; ") + pair;
  } else if (auto location = valueOf(line_, "Location:")) {
    location_ = *location;
  }
  statusRead_ = true;
  line_.clear();
}

size_t HttpReplyReader::takeBody(size_t available) {
  size_t take = available;
  if (length_) {
    int64_t left = *length_ - received_;
    if (left < static_cast<int64_t>(take)) take = static_cast<size_t>(left < 0 ? 0 : left);
  }
  received_ += static_cast<int64_t>(take);
  return take;
}

void HttpReplyReader::endBody() const {
  if (length_ && received_ < *length_)
    throw HttpError("Connection closed after " + std::to_string(received_) + " of " +
                    std::to_string(*length_) + " body bytes");
}

}  // namespace online
