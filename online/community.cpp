#include "online/community.h"

#include <cctype>

#include "online/httperror.h"
#include "online/httpurl.h"
#include "platform/textcase.h"

namespace online::community {

namespace {

std::string queryEncode(const std::string& text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (std::isalnum(byte) && byte < 0x80) {
      out += c;
    } else if (c == '-' || c == '.' || c == '_' || c == '~') {
      out += c;
    } else {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 15];
    }
  }
  return out;
}

}  // namespace

std::string loginTarget(const std::string& user, const std::string& password) {
  return std::string(kLoginPath) + "?do=login&username=" + queryEncode(user) +
         "&password=" + queryEncode(password);
}

std::string loginAnswer(const std::string& replyBody) {
  const size_t colon = replyBody.rfind(':');
  return colon == std::string::npos ? std::string() : replyBody.substr(colon + 1);
}

bool loginAccepted(const std::string& replyBody) {
  return platform::equalsAsciiNoCase(loginAnswer(replyBody), "true");
}

std::string logoutPath(int32_t memberId) {
  return "/forum/login.php?do=logout&u=" + std::to_string(memberId);
}

std::string newThreadPath(int forum) {
  return "/forum/newthread.php?do=newthread&f=" + std::to_string(forum);
}

std::string address(const std::string& host, const std::string& path) {
  return "http://" + host + path;
}

std::string cookieHost(const std::string& host) {
  // The host as the HTTP client would contact it, so the cookie is looked for under the very
  // name the browser was sent to.
  std::string name;
  try {
    name = analyseUrl(address(host, kHome)).host;
  } catch (const HttpError&) {
    return std::string();
  }
  return platform::asciiLower(name);
}

}  // namespace online::community
