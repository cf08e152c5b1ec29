// The bytes of a request: the request line, the fixed and optional headers, and the body.
#pragma once

#include <string>

#include "online/httpurl.h"

namespace online {

// Request header values; each is sent only when it is not empty.
struct HttpHeaderInfo {
  std::string LocalMailAddress;  // sent as User-Agent
  std::string LocalProgram;      // sent as From
  std::string Cookie;
  std::string Referer;
  std::string UserId;  // with Password: Basic credentials
  std::string Password;
};

// Digits and ASCII letters as they are, a blank as "+", every other byte as "%" and two
// lower-case hexadecimal digits.
std::string formEncode(const std::string& data);

// Standard base64 with "=" padding, one unbroken token.
std::string base64(const std::string& data);

// method is "GET" or "POST"; a POST carries body and its Content-Length. Throws HttpError when
// a header value holds a line break, which would let it forge headers of its own.
std::string buildRequest(const std::string& method, const HttpUrl& url, const HttpHeaderInfo& info,
                         const std::string* body);

}  // namespace online
