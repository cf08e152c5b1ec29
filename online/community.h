// Everything the program sends to the vendor's community server and relies on in return:
// request paths, the headline file's version stamp, the login answer, the forum's login cookie
// and the pages handed to the browser. The server's host (with an optional port) is the
// CommunityHost setting; callers pass it in.
#pragma once

#include <cstdint>
#include <string>

namespace online::community {

// Files the program fetches, and the stamp record 0 of the headline file must carry.
inline constexpr const char* kHeadlinesPath = "/today/headlines.db";
inline constexpr const char* kHeadlinesVersion = "1.15.01.05";

// The forum login: posted to kLoginPath with the query of loginTarget, where the name and the
// password are percent-encoded (every byte but ASCII letters, digits and "-._~"), so that an
// "&", "=", "#" or "+" in them cannot change the request. kLoginPath alone is also the
// request's referer.
inline constexpr const char* kLoginPath = "/forum/instant.php";
std::string loginTarget(const std::string& user, const std::string& password);
// The part of a login reply after its last ':', empty when it has none.
std::string loginAnswer(const std::string& replyBody);
// The server accepted the login: the answer reads "true" in any letter case, nothing more.
bool loginAccepted(const std::string& replyBody);

// The cookie the forum leaves in the browser after a login there; its value is the member id.
inline constexpr const char* kMemberCookie = "bbuserid";
std::string logoutPath(int32_t memberId);

// Pages handed to the default browser.
inline constexpr const char* kHome = "/";
inline constexpr const char* kForum = "/forum/";
inline constexpr const char* kWhoIsOnline = "/forum/online.php?";
inline constexpr const char* kRegister = "/forum/register.php";
inline constexpr const char* kEditProfile = "/forum/profile.php?do=editprofile";
inline constexpr const char* kChat = "/forum/chatt/flashchat.php";
inline constexpr const char* kNewsAnnouncements = "/forum/f12-news-announcements.html";
inline constexpr const char* kSupport = "/support/";
inline constexpr const char* kDonate = "/donate/";
inline constexpr const char* kAdvertise = "/advertise/";
inline constexpr const char* kGallery = "/gallery/";
std::string newThreadPath(int forum);

// The forum sections the program links to: the section's page and its number for a new topic.
struct ForumSection {
  const char* page;
  int forum;
};
inline constexpr ForumSection kWindowsSupport{"/forum/f23-windows-technical-support.html", 23};
inline constexpr ForumSection kGraphicDesign{"/forum/f8-graphic-design-and-software.html", 8};
inline constexpr ForumSection kMultimedia{"/forum/f9-multimedia.html", 9};
inline constexpr ForumSection kFlash{"/forum/f17-flash-development.html", 17};
inline constexpr ForumSection kHtmlDesign{"/forum/f19-html-design-and-scripting.html", 19};
// The hardware questions of the main window's hot area have no page link, only new topics.
inline constexpr int kHardwareForum = 31;

// "http://" + host + path; path starts with "/".
std::string address(const std::string& host, const std::string& path);

// The host the browser keeps the forum's cookies under: the server's host name in lower case,
// without the port. Empty when the setting names no host the program could contact.
std::string cookieHost(const std::string& host);

}  // namespace online::community
