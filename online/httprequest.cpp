#include "online/httprequest.h"

#include "online/httperror.h"

namespace online {
namespace {

void addHeader(std::string& out, const char* name, const std::string& value) {
  if (value.empty()) return;
  if (value.find_first_of("\r\n") != std::string::npos)
    throw HttpError(std::string("Line break in the ") + name + " header");
  out += name;
  out += ": ";
  out += value;
  out += "\r\n";
}

bool isAsciiAlnum(unsigned char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

}  // namespace

std::string formEncode(const std::string& data) {
  static const char hex[] = "0123456789abcdef";
  std::string out;
  out.reserve(data.size() * 3);
  for (unsigned char c : data) {
    if (isAsciiAlnum(c)) {
      out += static_cast<char>(c);
    } else if (c == ' ') {
      out += '+';
    } else {
      out += '%';
      out += hex[c >> 4];
      out += hex[c & 15];
    }
  }
  return out;
}

std::string base64(const std::string& data) {
  static const char table[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((data.size() + 2) / 3 * 4);
  size_t i = 0;
  for (; i + 2 < data.size(); i += 3) {
    uint32_t v = static_cast<unsigned char>(data[i]) << 16 |
                 static_cast<unsigned char>(data[i + 1]) << 8 |
                 static_cast<unsigned char>(data[i + 2]);
    out += table[v >> 18];
    out += table[(v >> 12) & 63];
    out += table[(v >> 6) & 63];
    out += table[v & 63];
  }
  size_t rest = data.size() - i;
  if (rest > 0) {
    uint32_t v = static_cast<unsigned char>(data[i]) << 16;
    if (rest == 2) v |= static_cast<unsigned char>(data[i + 1]) << 8;
    out += table[v >> 18];
    out += table[(v >> 12) & 63];
    out += rest == 2 ? table[(v >> 6) & 63] : '=';
    out += '=';
  }
  return out;
}

std::string buildRequest(const std::string& method, const HttpUrl& url, const HttpHeaderInfo& info,
                         const std::string* body) {
  std::string out = method + " " + url.target + " HTTP/1.0\r\n";
  out += "Host: " + url.host + "\r\n";
  out += "Accept: www/source, text/html, video/mpeg, image/jpeg, image/x-tiff\r\n";
  out += "Accept: image/x-rgb, image/x-xbm, image/gif, */*, application/postscript\r\n";
  addHeader(out, "User-Agent", info.LocalMailAddress);
  addHeader(out, "From", info.LocalProgram);
  addHeader(out, "Cookie", info.Cookie);
  addHeader(out, "Referer", info.Referer);
  if (!info.UserId.empty() && !info.Password.empty())
    addHeader(out, "Authorization", "Basic " + base64(info.UserId + ":" + info.Password));
  out += "Content-type: application/x-www-form-urlencoded\r\n";
  if (body) out += "Content-Length: " + std::to_string(body->size()) + "\r\n";
  out += "\r\n";
  if (body) out += *body;
  return out;
}

}  // namespace online
