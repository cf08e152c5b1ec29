// Where the program's web addresses point. The vendor's and partners' defaults lie under the
// reserved ".example" domain, so an unconfigured copy never talks to a stranger's server; the
// connection test asks the address Windows itself checks for its network status icon, so that
// a copy on a connected PC shows "online". Section "Addresses" of qexsys.ini overrides each one
// (see the README); tests and the demo point the connection test at loopback.
#pragma once

#include <string>

#include "app/settings.h"
#include "online/community.h"

namespace app {

struct Config {
  // Host of the vendor's community server, optionally with a port ("127.0.0.1:8080").
  std::string communityHost = "community.orvanta.example";
  std::string downloadSite = "http://downloads.orvanta.example/";
  std::string vendorSite = "http://www.orvanta.example/";
  std::string partnerSite1 = "http://www.corvel.example/";
  std::string partnerSite2 = "http://www.lumetra.example/";
  // The well-known address of the connection test.
  std::string connectionTest = "http://www.msftconnecttest.com/connecttest.txt";

  static constexpr const char* kSection = "Addresses";
  void load(Settings& settings);

  // The community server's page at path (starting with "/").
  std::string community(const std::string& path) const { return online::community::address(communityHost, path); }
};

}  // namespace app
