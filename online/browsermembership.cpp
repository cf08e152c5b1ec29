#include "online/browsermembership.h"

#include "online/community.h"
#include "online/profilesini.h"
#include "platform/bounded_read.h"
#include "platform/busyflag.h"

namespace online {
namespace {

using platform::RegRoot;

constexpr const char* kExplorer = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";

}  // namespace

std::string logonUserName(platform::Registry& registry, platform::System& system) {
  const std::string name = registry.readString(RegRoot::CurrentUser, kExplorer, "Logon User Name").value_or("");
  return name.empty() ? system.userName() : name;
}

std::string ieCookieFileName(const std::string& user, const std::string& host, int index) {
  const size_t dot = host.rfind('.');
  const std::string name = user + "@" + host.substr(0, dot) + "[" + std::to_string(index) + "].txt";
  if (user.empty() || host.empty() || name.find_first_of("\\/:") != std::string::npos) return {};
  return name;
}

BrowserMembership::BrowserMembership(platform::Registry& registry, platform::Files& files,
                                     platform::System& system, platform::Clock& clock,
                                     const std::string& communityHost, uint64_t maxCookieFile)
    : registry_(registry),
      files_(files),
      system_(system),
      clock_(clock),
      host_(communityHost),
      cookieHost_(community::cookieHost(communityHost)),
      maxCookieFile_(maxCookieFile) {}

std::string BrowserMembership::badgeFor(const std::string& browserName) {
  if (browserName == "IExplore") return "browser_ie";
  if (browserName == "Firefox" || browserName == "Netscape") return "browser_mo";
  return {};
}

BrowserMembership::Result BrowserMembership::detect(const std::string& browserName,
                                                    const AfterLine& afterLine,
                                                    const std::function<void()>& invalidCode) {
  if (detecting_) return Result::Busy;
  platform::BusyFlag running(detecting_);
  uint64_t handled = clock_.tickMs();
  const AfterLine paced = [&] {
    if (!afterLine || clock_.tickMs() - handled < kMessageIntervalMs) return;
    afterLine();
    handled = clock_.tickMs();
  };
  CookieFind find;
  if (browserName == "IExplore")
    find = readIeCookies(ieCookies(), paced);
  else if (browserName == "Firefox")
    find = readFirefoxCookies(firefoxCookies(), cookieHost_, paced);
  if (find.memberId != 0) memberId_ = find.memberId;
  if (find.invalidCode && invalidCode) invalidCode();
  return memberId_ != 0 ? Result::Member : Result::NonMember;
}

std::string BrowserMembership::logoutUrl() const {
  return memberId_ ? community::address(host_, community::logoutPath(memberId_)) : std::string();
}

std::string BrowserMembership::shellFolder(const std::string& name) {
  return registry_.readString(RegRoot::CurrentUser, std::string(kExplorer) + "\\Shell Folders", name).value_or("");
}

std::string BrowserMembership::readCookieFile(const std::string& path) {
  // A file too large, or one that cannot be read, holds no cookie the program can use.
  auto read = platform::readBounded(files_, path, maxCookieFile_);
  return read.status == platform::BoundedRead::Status::Loaded ? std::move(read.bytes)
                                                              : std::string();
}

std::string BrowserMembership::ieCookies() {
  // Without the folder the name alone would be looked for at the drive's root.
  const std::string folder = shellFolder("Cookies");
  if (folder.empty()) return {};
  const std::string user = logonUserName(registry_, system_);
  // Only the file with the highest index is examined.
  for (int index = 9; index >= 0; --index) {
    const std::string name = ieCookieFileName(user, cookieHost_, index);
    if (name.empty()) return {};
    const std::string path = folder + "\\" + name;
    if (files_.fileExists(path)) return readCookieFile(path);
  }
  return {};
}

std::string BrowserMembership::firefoxCookies() {
  const std::string appData = shellFolder("AppData");
  if (appData.empty()) return {};
  const std::string firefox = appData + "\\Mozilla\\Firefox\\";
  const auto ini = platform::readBounded(files_, firefox + "profiles.ini", kMaxProfilesIni);
  if (ini.status == platform::BoundedRead::Status::Loaded)
    if (auto path = readProfilePath(ini.bytes)) profilePath_ = *path;
  if (!isProfileFolder(profilePath_)) return {};

  // Firefox writes the path with a forward slash after "Profiles".
  std::string path = firefox + profilePath_;
  const std::string written = "\\Profiles/";
  for (size_t at = path.find(written); at != std::string::npos; at = path.find(written, at + 1))
    path[at + written.size() - 1] = '\\';
  return readCookieFile(path + "\\cookies.txt");
}

}  // namespace online
