// Membership of the community forum as the default browser's login cookie tells it.
#pragma once

#include <string>

#include "platform/files.h"

namespace online {

class CookieMembership {
 public:
  // Once a cookie gave a member id it is kept for the rest of the run.
  int memberId = 0;
  std::string logoutUrl;

  // The browser badge for the default browser's name, empty for a browser without one.
  static std::string badgeFor(const std::string& browserName);
  // Looks for the member id in the browser's cookie store; true when one is known.
  bool detect(platform::Files& files, const std::string& browserName);
};

}  // namespace online
