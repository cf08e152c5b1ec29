// Analysis of the URLs the client is given: where to connect and what to ask for.
#pragma once

#include <cstdint>
#include <string>

namespace online {

struct HttpUrl {
  std::string origin;  // the URL text before the request target ("http://host:81")
  std::string scheme;  // lower case
  std::string host;    // without the port
  uint16_t port = 80;
  std::string target;  // the request target, at least "/"
};

// Throws HttpError for an empty URL, a secure one, or a port that is not a number from 1 to
// 65535. Bytes that cannot stand in a request line (controls, blanks, bytes above 127) are
// percent-encoded first, so nothing in a URL can break the request apart.
HttpUrl analyseUrl(const std::string& url);

// The URL a redirect's Location value names, relative to the URL that was asked for.
std::string resolveLocation(const HttpUrl& base, const std::string& location);

}  // namespace online
