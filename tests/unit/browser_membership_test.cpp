// Membership from the default browser's cookie store, on a machine laid out as a fresh Wine
// prefix lays it out: where each browser keeps its cookies, what counts, and what happens
// while a detection waits for the window.
#include <gtest/gtest.h>

#include <string>

#include "online/browsermembership.h"
#include "platform/fake/fake_files.h"
#include "platform/fake/fake_registry.h"
#include "platform/fake/fake_system.h"

namespace {

using online::BrowserMembership;
using platform::RegRoot;
using Result = BrowserMembership::Result;

constexpr const char* kCookies =
    "C:\\users\\kestrel\\AppData\\Local\\Microsoft\\Windows\\INetCookies";
constexpr const char* kAppData = "C:\\users\\kestrel\\AppData\\Roaming";
constexpr const char* kFirefox = "C:\\users\\kestrel\\AppData\\Roaming\\Mozilla\\Firefox\\";
constexpr const char* kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";

std::string ieFile(int index, const std::string& user = "kestrel") {
  return std::string(kCookies) + "\\" + user + "@community.orvanta[" + std::to_string(index) +
         "].txt";
}
std::string ieCookie(const std::string& value) {
  return "bbuserid\n" + value + "\ncommunity.orvanta.example/\n1536\n*\n";
}
std::string firefoxCookie(const std::string& value) {
  return "# Netscape HTTP Cookie File\n"
         "community.orvanta.example\tFALSE\t/\tFALSE\t1893456000\tbbuserid\t" +
         value + "\n";
}
std::string profilesIni(const std::string& path) {
  return "[General]\r\nStartWithLastProfile=1\r\n\r\n[Profile0]\r\nName=default\r\nIsRelative=1\r\n"
         "Path=" +
         path + "\r\n";
}

class Membership : public ::testing::Test {
 protected:
  Membership() {
    system.user = "kestrel";
    shellFolder("Cookies", kCookies);
    shellFolder("AppData", kAppData);
    files.addDir(kCookies);
  }

  void shellFolder(const std::string& name, const std::string& folder) {
    registry.create(RegRoot::CurrentUser, std::string(kExplorer) + "\\Shell Folders")
        ->writeString(name, folder);
  }
  Result detect(const std::string& browser) {
    return member.detect(browser, nullptr, [this] { ++boxes; });
  }

  platform::fake::FakeRegistry registry;
  platform::fake::FakeFiles files;
  platform::fake::FakeSystem system;
  BrowserMembership member{registry, files, system, "community.orvanta.example:8080"};
  int boxes = 0;
};

TEST_F(Membership, InternetExplorerExaminesOnlyItsHighestCookieFile) {
  files.addFile(ieFile(0), ieCookie("11"));
  files.addFile(ieFile(3), "bbsessionhash\nabc\n");
  EXPECT_EQ(detect("IExplore"), Result::NonMember);
  files.addFile(ieFile(3), "bbsessionhash\nabc\n" + ieCookie("33"));
  EXPECT_EQ(detect("IExplore"), Result::Member);
  EXPECT_EQ(member.memberId(), 33);
  EXPECT_EQ(member.logoutUrl(),
            "http://community.orvanta.example:8080/forum/login.php?do=logout&u=33");
  EXPECT_EQ(boxes, 0);
}

TEST_F(Membership, TheCookieFileCarriesTheLogonNameOrElseTheAccountName) {
  files.addFile(ieFile(1, "Jo"), ieCookie("5"));
  EXPECT_EQ(detect("IExplore"), Result::NonMember);
  registry.create(RegRoot::CurrentUser, kExplorer)->writeString("Logon User Name", "Jo");
  EXPECT_EQ(detect("IExplore"), Result::Member);
  EXPECT_EQ(online::logonUserName(registry, system), "Jo");

  EXPECT_EQ(online::ieCookieFileName("jo", "127.0.0.1", 0), "jo@127.0.0[0].txt");
  EXPECT_EQ(online::ieCookieFileName("jo", "localhost", 9), "jo@localhost[9].txt");
  EXPECT_EQ(online::ieCookieFileName("..\\jo", "a.b", 0), "");
  EXPECT_EQ(online::ieCookieFileName("", "a.b", 0), "");
}

TEST_F(Membership, AMemberIdOnceFoundIsKeptForTheRun) {
  files.addFile(ieFile(0), ieCookie("8"));
  ASSERT_EQ(detect("IExplore"), Result::Member);
  files.remove(ieFile(0));
  EXPECT_EQ(detect("IExplore"), Result::Member);
  EXPECT_EQ(detect("Firefox"), Result::Member);
  EXPECT_EQ(member.memberId(), 8);
}

TEST_F(Membership, FirefoxReadsTheFirstProfilesCookiesWithTheSlashRepaired) {
  files.addFile(std::string(kFirefox) + "profiles.ini", profilesIni("Profiles/k2x9.default"));
  files.addFile(std::string(kFirefox) + "Profiles\\k2x9.default\\cookies.txt",
                firefoxCookie("4711"));
  EXPECT_EQ(detect("Firefox"), Result::Member);
  EXPECT_EQ(member.memberId(), 4711);
}

TEST_F(Membership, FirefoxKeepsTheLastProfilePathWhenProfilesIniNamesNone) {
  const std::string ini = std::string(kFirefox) + "profiles.ini";
  const std::string cookies = std::string(kFirefox) + "Profiles\\p.default\\cookies.txt";
  files.addFile(ini, profilesIni("Profiles/p.default"));
  files.addFile(cookies, "# empty\n");
  EXPECT_EQ(detect("Firefox"), Result::NonMember);
  files.addFile(ini, "[General]\nStartWithLastProfile=1\n");
  files.addFile(cookies, firefoxCookie("21"));
  EXPECT_EQ(detect("Firefox"), Result::Member);
}

TEST_F(Membership, MissingOrStrayPlacesMeanNoMemberAndNoBox) {
  // A cookie waits wherever a wrong path could lead.
  files.addFile("C:\\users\\kestrel\\cookies.txt", firefoxCookie("1"));
  files.addFile("C:\\secret\\cookies.txt", firefoxCookie("1"));
  files.addFile("C:\\kestrel@community.orvanta[0].txt", ieCookie("1"));
  const std::string ini = std::string(kFirefox) + "profiles.ini";

  EXPECT_EQ(detect("Firefox"), Result::NonMember);  // no profiles.ini yet
  files.addFile(ini, "[General]\nPath=..\\..\n");
  EXPECT_EQ(detect("Firefox"), Result::NonMember);
  ASSERT_TRUE(files.fileExists(std::string(kFirefox) + "..\\..\\..\\..\\cookies.txt"));
  for (const char* path : {"..\\..\\..\\..", "Profiles/../../../../..", "C:\\secret", "\\secret"}) {
    files.addFile(ini, profilesIni(path));
    EXPECT_EQ(detect("Firefox"), Result::NonMember) << path;
  }

  files.remove(kCookies);
  files.addFile(kCookies, "a file where the folder should be");
  EXPECT_EQ(detect("IExplore"), Result::NonMember);
  registry
      .open(RegRoot::CurrentUser, std::string(kExplorer) + "\\Shell Folders",
            platform::RegAccess::AllAccess)
      ->write("Cookies", platform::RegValue{platform::kRegDword, std::string(4, '\0')});
  EXPECT_EQ(detect("IExplore"), Result::NonMember);
  registry.deleteTree(RegRoot::CurrentUser, std::string(kExplorer) + "\\Shell Folders");
  EXPECT_EQ(detect("IExplore"), Result::NonMember);
  EXPECT_EQ(detect("Firefox"), Result::NonMember);
  EXPECT_EQ(boxes, 0);
}

TEST_F(Membership, OnlyInternetExplorerAndFirefoxStoresAreRead) {
  files.addFile(ieFile(0), ieCookie("3"));
  for (const char* other : {"Netscape", "iexplore", "firefox", ""})
    EXPECT_EQ(detect(other), Result::NonMember) << other;
  EXPECT_EQ(BrowserMembership::badgeFor("IExplore"), "browser_ie");
  EXPECT_EQ(BrowserMembership::badgeFor("Firefox"), "browser_mo");
  EXPECT_EQ(BrowserMembership::badgeFor("Netscape"), "browser_mo");
  EXPECT_EQ(BrowserMembership::badgeFor("Opera"), "");
}

TEST_F(Membership, AnInvalidCodeShowsOneBoxPerDetection) {
  files.addFile(ieFile(0), ieCookie("12a") + ieCookie("-1") + ieCookie("0"));
  EXPECT_EQ(detect("IExplore"), Result::NonMember);
  EXPECT_EQ(boxes, 1);
  EXPECT_EQ(detect("IExplore"), Result::NonMember);
  EXPECT_EQ(boxes, 2);
}

TEST_F(Membership, NoDetectionStartsWhileOneWalksOrItsBoxIsOpen) {
  files.addFile(ieFile(0), "a\nbbuserid\nx\nbbuserid\n6\n");
  std::vector<Result> nested;
  bool boxOpen = false;
  const auto timer = [&] {
    nested.push_back(member.detect("IExplore", nullptr, [&] { ++boxes; }));
  };
  const Result result = member.detect("IExplore", timer, [&] {
    boxOpen = true;
    EXPECT_TRUE(member.detecting());
    timer();
    timer();
  });
  EXPECT_TRUE(boxOpen);
  EXPECT_EQ(result, Result::Member);
  EXPECT_EQ(nested, std::vector<Result>(nested.size(), Result::Busy));
  EXPECT_EQ(nested.size(), 5u);  // three lines passed before the valid key, two while the box waits
  EXPECT_EQ(boxes, 0);
  EXPECT_FALSE(member.detecting());

  // Once the box is answered, the next detection runs (and warns) again.
  EXPECT_EQ(detect("IExplore"), Result::Member);
  EXPECT_EQ(boxes, 1);
}

TEST_F(Membership, HostileCookieFilesGiveNoMemberAndNoBox) {
  // A file over the ceiling is not read at all, however well its start reads. The ceilings are
  // lowered here: memory for a file over the real one is slow to come by on a busy machine.
  files.addFile(ieFile(0), ieCookie("5") + std::string(1000, 'x'));
  const auto detectWith = [this](uint64_t ceiling) {
    BrowserMembership m{registry, files, system, "community.orvanta.example", ceiling};
    return m.detect("IExplore", nullptr, [this] { ++boxes; });
  };
  EXPECT_EQ(detectWith(1000), Result::NonMember);
  EXPECT_EQ(detectWith(2000), Result::Member);

  files.addFile(ieFile(1), ieCookie("5"));
  files.makeUnreadable(ieFile(1));
  EXPECT_EQ(detect("IExplore"), Result::NonMember);
  EXPECT_EQ(boxes, 0);
}

}  // namespace
