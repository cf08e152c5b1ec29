// Membership of the community forum as the default browser's login cookie tells it: where
// Internet Explorer and Firefox keep their cookies for the current user, and the member id
// found there, kept for the rest of the run.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "online/cookiereaders.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/system.h"

namespace online {

// The warning box the window shows when a cookie's member code is not valid.
inline constexpr const char* kInvalidMemberCodeText =
    "Member code found in this cookie is not valid.";
inline constexpr const char* kInvalidMemberCodeCaption = "Scan error";
// The information box of a forum function that needs the member's login in the browser.
inline constexpr const char* kNoCookieCaption = "Cookie not found";
inline constexpr const char* kBrowserLoginText =
    "You need to login via your browser, to use the extended forums features.";

// Cookie files larger than this are not read (the user counts as no member). It leaves room
// for a cookies.txt of some hundred thousand cookies.
inline constexpr uint64_t kMaxCookieFile = 64ull << 20;
inline constexpr uint64_t kMaxProfilesIni = 1 << 20;

// How often a detection lets the window handle its messages while it walks a cookie file.
// Handling them after every line, as short files allow, costs a round trip to the window
// system per line (under Wine some hundred microseconds), which made a walk of 200,000 lines
// outlast the ten seconds between detections.
inline constexpr uint64_t kMessageIntervalMs = 10;

// The user's logon name, as Windows XP keeps it for Explorer; where the system keeps none
// (later versions, Wine), the account's name.
std::string logonUserName(platform::Registry& registry, platform::System& system);

// Internet Explorer's cookie file for a host: user + "@" + the host without its last label
// (all of it when it has no dot) + "[index].txt". Empty when the result could name a file
// outside the cookies folder.
std::string ieCookieFileName(const std::string& user, const std::string& host, int index);

class BrowserMembership {
 public:
  // communityHost is the CommunityHost setting, with a port or without; cookie files larger
  // than maxCookieFile are not read.
  BrowserMembership(platform::Registry& registry, platform::Files& files, platform::System& system,
                    platform::Clock& clock, const std::string& communityHost,
                    uint64_t maxCookieFile = kMaxCookieFile);

  // The default browser's badge: "browser_ie", "browser_mo", or empty for a browser without.
  static std::string badgeFor(const std::string& browserName);

  enum class Result { Member, NonMember, Busy };

  // Looks for the forum's cookie in the store of the default browser ("IExplore" or
  // "Firefox"; any other browser has no store read) and answers whether a member id is known.
  // afterLine runs between cookie lines once kMessageIntervalMs have passed since it last
  // returned, for the window to handle its messages; invalidCode runs once when a cookie's
  // value was no member id, for the window to show the warning box (kInvalidMemberCodeText)
  // and to return when it is answered. A call made while a detection runs, from a message
  // handled in either of them, answers Busy and changes nothing: a timer never starts a second
  // walk, nor a second box while the first one waits.
  Result detect(const std::string& browserName, const AfterLine& afterLine,
                const std::function<void()>& invalidCode);
  bool detecting() const { return detecting_; }

  // 0 until a cookie gave an id; then the last id found, for the rest of the run.
  int32_t memberId() const { return memberId_; }
  // The forum's logout page for the member; empty while no id is known.
  std::string logoutUrl() const;

 private:
  std::string shellFolder(const std::string& name);
  std::string ieCookies();
  std::string firefoxCookies();
  std::string readCookieFile(const std::string& path);

  platform::Registry& registry_;
  platform::Files& files_;
  platform::System& system_;
  platform::Clock& clock_;
  std::string host_;        // the setting, for the addresses
  std::string cookieHost_;  // the name the browser keeps the cookies under
  uint64_t maxCookieFile_;
  int32_t memberId_ = 0;
  // Profile0's path from the last profiles.ini that named one.
  std::string profilePath_;
  bool detecting_ = false;
};

}  // namespace online
