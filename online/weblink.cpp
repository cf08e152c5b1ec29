#include "online/weblink.h"

#include <cctype>

namespace online {

namespace {

bool startsWithNoCase(const std::string& text, const std::string& prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
  return true;
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
