#include "online/httpurl.h"

#include "online/httperror.h"
#include "platform/textcase.h"

namespace online {
namespace {

std::string escapeUnsafeBytes(const std::string& url) {
  static const char hex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(url.size());
  for (unsigned char c : url) {
    if (c <= 0x20 || c >= 0x7F) {
      out += '%';
      out += hex[c >> 4];
      out += hex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

uint16_t portOf(const std::string& digits) {
  if (digits.empty() || digits.size() > 5) throw HttpError("Invalid port number");
  unsigned value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') throw HttpError("Invalid port number");
    value = value * 10 + static_cast<unsigned>(c - '0');
  }
  if (value == 0 || value > 65535) throw HttpError("Invalid port number");
  return static_cast<uint16_t>(value);
}

// Position of the n-th '/' (counting from 1), or npos.
size_t nthSlash(const std::string& text, int n) {
  size_t pos = std::string::npos;
  for (int i = 0; i < n; ++i) {
    pos = text.find('/', pos == std::string::npos ? 0 : pos + 1);
    if (pos == std::string::npos) break;
  }
  return pos;
}

bool hasScheme(const std::string& location) {
  size_t colon = location.find(':');
  if (colon == std::string::npos || colon == 0) return false;
  for (size_t i = 0; i < colon; ++i) {
    const char c = platform::asciiLower(location[i]);
    const bool letterOrDigit = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    if (!letterOrDigit && c != '+' && c != '-' && c != '.') return false;
  }
  return true;
}

}  // namespace

HttpUrl analyseUrl(const std::string& given) {
  if (given.empty()) throw HttpError("Empty URL");
  const std::string url = escapeUnsafeBytes(given);
  HttpUrl out;

  size_t hostStart = 0;
  size_t targetStart = std::string::npos;
  if (url.find("//") != std::string::npos) {
    size_t second = nthSlash(url, 2);
    hostStart = second + 1;
    targetStart = nthSlash(url, 3);
  } else {
    targetStart = url.find('/');
  }
  out.origin = url.substr(0, targetStart);
  out.target = targetStart == std::string::npos ? "/" : url.substr(targetStart);
  std::string authority = url.substr(
      hostStart, targetStart == std::string::npos ? std::string::npos : targetStart - hostStart);

  size_t colon = url.find(':');
  out.scheme =
      platform::asciiLower(colon == std::string::npos ? std::string() : url.substr(0, colon));
  if (out.scheme == "https") throw HttpError("HTTP Secure Socket is not supported");
  out.port = out.scheme == "ftp" ? 21 : out.scheme == "gopher" ? 70 : 80;

  size_t portColon = authority.find(':');
  out.host = authority.substr(0, portColon);
  if (portColon != std::string::npos) out.port = portOf(authority.substr(portColon + 1));
  return out;
}

std::string resolveLocation(const HttpUrl& base, const std::string& location) {
  // Scheme-relative: this client speaks nothing but plain HTTP.
  if (location.compare(0, 2, "//") == 0) return "http:" + location;
  if (hasScheme(location)) return location;
  if (!location.empty() && location[0] == '/') return base.origin + location;
  std::string path = base.target.substr(0, base.target.find_first_of("?#"));
  return base.origin + path.substr(0, path.rfind('/') + 1) + location;
}

}  // namespace online
