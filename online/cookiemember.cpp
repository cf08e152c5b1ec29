#include "online/cookiemember.h"

#include "online/browsermembership.h"

namespace online {

std::string CookieMembership::badgeFor(const std::string& browserName) {
  return BrowserMembership::badgeFor(browserName);
}

// Reading the browsers' cookie stores comes with the forum-login work; until then only an id
// already known counts.
bool CookieMembership::detect(platform::Files&, const std::string&) { return memberId != 0; }

}  // namespace online
