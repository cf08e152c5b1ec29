#include "online/weblink.h"

#include <string_view>

#include "platform/textcase.h"

namespace online {

namespace {

bool startsWithNoCase(const std::string& text, const std::string& prefix) {
  return platform::equalsAsciiNoCase(std::string_view(text).substr(0, prefix.size()), prefix);
}

}  // namespace

bool isWebLink(const std::string& link) {
  size_t host = 0;
  if (startsWithNoCase(link, "http://"))
    host = 7;
  else if (startsWithNoCase(link, "https://"))
    host = 8;
  else
    return false;
  if (link.size() == host || link[host] == '/') return false;
  for (char c : link) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= ' ' || byte == 0x7F || c == '"') return false;
  }
  return true;
}

}  // namespace online
