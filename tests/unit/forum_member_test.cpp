// The forum member as the default browser's cookie tells the windows: the main window's links
// and badge at its showing and at each refresh, the member kept for the run, the warning for
// a code that is no member id, and the inventory's new topic for the browser's member.
#include <gtest/gtest.h>

#include <string>

#include "app/qex_ulm_frm.h"
#include "online/loginfrm.h"
#include "sysinfo/softwarefrm.h"
#include "tests/unit/app_fixture.h"
#include "tests/unit/loopback_server.h"

namespace {

using platform::RegRoot;
using testing_app::AppTest;

constexpr const char* kCookies = "C:\\Documents and Settings\\Owner\\Cookies";
constexpr const char* kAppData = "C:\\Documents and Settings\\Owner\\Application Data";

struct ForumMember : AppTest {
  ForumMember() {
    auto folders = sys.fakeRegistry.create(
        RegRoot::CurrentUser,
        "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders");
    folders->writeString("Cookies", kCookies);
    folders->writeString("AppData", kAppData);
    for (const char* dir :
         {"C:\\Documents and Settings", "C:\\Documents and Settings\\Owner", kCookies, kAppData})
      sys.fakeFiles.addDir(dir);
  }
  Tqex_ulm_frm& main() { return *app->qex_ulm_frm; }
  void defaultBrowser(const std::string& name) {
    sys.fakeRegistry.create(RegRoot::ClassesRoot, "http\\shell\\open\\ddeexec\\Application")
        ->writeString("", name);
  }
  // Internet Explorer's cookie file of the given index for the community host.
  void ieCookieFile(int index, const std::string& content) {
    sys.fakeFiles.addFile(
        std::string(kCookies) + "\\Owner@community.orvanta[" + std::to_string(index) + "].txt",
        content);
  }
  static std::string ieCookie(const std::string& value) {
    return "bbuserid\n" + value + "\ncommunity.orvanta.example/\n1536\n*\n";
  }
  void startShown() {
    sys.fakeFiles.addFile("C:\\Program Files\\Orvanta\\qexsys.ini", "[System]\r\nNews=0\r\n");
    start();
    main().show();
  }
  bool memberLayout() {
    return main().Image21.left() == 299 && main().Image17.pictureName() == "logout_1";
  }
};

TEST_F(ForumMember, InternetExplorersHighestCookieFileGivesTheMemberWithinOneRefresh) {
  defaultBrowser("IExplore");
  startShown();
  EXPECT_EQ(main().Image15.pictureName(), "browser_ie");
  EXPECT_FALSE(memberLayout());

  ieCookieFile(0, ieCookie("11"));
  ieCookieFile(3, "bbsessionhash\nabc\n" + ieCookie("33"));
  backend.advance(10000);
  EXPECT_TRUE(memberLayout());
  EXPECT_TRUE(main().cookieMember);
  EXPECT_TRUE(main().memberFlag);
  EXPECT_EQ(main().membership.memberId(), 33);

  // The member stays for the run, cookie or not, and logs out in the browser.
  for (int index : {0, 3})
    sys.fakeFiles.remove(std::string(kCookies) + "\\Owner@community.orvanta[" +
                         std::to_string(index) + "].txt");
  backend.advance(10000);
  EXPECT_TRUE(memberLayout());
  click(main().Image17);
  ASSERT_FALSE(sys.fakeShell.requests.empty());
  EXPECT_EQ(sys.fakeShell.requests.back().target,
            "http://community.orvanta.example/forum/login.php?do=logout&u=33");
  EXPECT_TRUE(backend.boxes.empty());
}

TEST_F(ForumMember, FirefoxsFirstProfileGivesTheMember) {
  defaultBrowser("Firefox");
  const std::string firefox = std::string(kAppData) + "\\Mozilla\\Firefox";
  sys.fakeFiles.addDir(std::string(kAppData) + "\\Mozilla");
  sys.fakeFiles.addDir(firefox);
  sys.fakeFiles.addFile(firefox + "\\profiles.ini",
                        "[Profile0]\r\nName=default\r\nPath=Profiles/x1.default\r\n");
  sys.fakeFiles.addDir(firefox + "\\Profiles");
  sys.fakeFiles.addDir(firefox + "\\Profiles\\x1.default");
  sys.fakeFiles.addFile(firefox + "\\Profiles\\x1.default\\cookies.txt",
                        ".community.orvanta.example\tTRUE\t/\tFALSE\t0\tbbuserid\t5\n"
                        "community.orvanta.example\tFALSE\t/\tFALSE\t0\tbbuserid\t8\n");
  startShown();
  EXPECT_EQ(main().Image15.pictureName(), "browser_mo");
  EXPECT_TRUE(memberLayout());
  EXPECT_EQ(main().membership.memberId(), 8);
}

TEST_F(ForumMember, AStoredUserOrTheProgramsOwnLoginStopsTheRefreshOfTheCookie) {
  defaultBrowser("IExplore");
  startShown();
  main().dialogLogin = main().memberFlag = true;
  ieCookieFile(0, ieCookie("7"));
  backend.advance(10000);
  EXPECT_FALSE(main().cookieMember);
  EXPECT_TRUE(memberLayout());

  main().dialogLogin = false;
  main().storedUser = "ann";
  backend.advance(10000);
  EXPECT_FALSE(main().cookieMember);
  main().storedUser.clear();
  backend.advance(10000);
  EXPECT_TRUE(main().cookieMember);
}

TEST_F(ForumMember, ACodeThatIsNoMemberIdWarnsOnTheMainWindowAtEachDetection) {
  defaultBrowser("IExplore");
  ieCookieFile(0, ieCookie("99999999999999999999999999999"));
  startShown();
  ASSERT_EQ(backend.boxes.size(), 1u);
  EXPECT_EQ(backend.boxes[0].text, "Member code found in this cookie is not valid.");
  EXPECT_EQ(backend.boxes[0].caption, "Scan error");
  EXPECT_EQ(backend.boxes[0].owner, "qex_ulm_frm");
  EXPECT_EQ(backend.boxes[0].flags, ui::kMbOk | ui::kMbIconWarning);
  EXPECT_FALSE(memberLayout());
  backend.advance(10000);
  EXPECT_EQ(backend.boxes.size(), 2u);
}

// A member stored from the program's own login still hears who the browser's member is.
TEST_F(ForumMember, AStoredUserKeepsTheBrowsersMemberToo) {
  defaultBrowser("IExplore");
  ieCookieFile(0, ieCookie("33"));
  sys.fakeFiles.addFile("C:\\Program Files\\Orvanta\\qexsys.ini",
                        "[System]\r\nNews=0\r\nUser=ann\r\nMember=1\r\n");
  start();
  main().show();
  EXPECT_TRUE(memberLayout());
  EXPECT_TRUE(main().cookieMember);
  EXPECT_EQ(main().membership.memberId(), 33);
}

// The login window is modeless: the user may log in while the warning waits for its answer.
TEST_F(ForumMember, ALoginWhileTheWarningIsOpenKeepsTheMember) {
  loopback::Server server{
      [](loopback::Connection& c) { c.send("HTTP/1.0 200 OK\r\n\r\nlogin:true"); }};
  defaultBrowser("IExplore");
  startShown();
  app->config.communityHost = "127.0.0.1:" + std::to_string(server.port());
  ieCookieFile(0, ieCookie("12a"));
  backend.whileBoxOpen = [&] {
    backend.whileBoxOpen = nullptr;
    Tloginfrm& login = *app->loginfrm;
    login.show();
    login.Edit1.userEdited("ann");
    login.Edit2.userEdited("secret");
    click(login.Image1);
  };
  backend.advance(10000);
  ASSERT_EQ(backend.boxes.size(), 1u);
  EXPECT_EQ(backend.boxes[0].text, "Member code found in this cookie is not valid.");
  EXPECT_EQ(main().Label1.caption(), "Member: ann");
  EXPECT_TRUE(main().memberFlag);
  EXPECT_TRUE(memberLayout());
}

TEST_F(ForumMember, OtherBrowsersKeepTheirBadgeAndAreNotRead) {
  defaultBrowser("Netscape");
  ieCookieFile(0, ieCookie("7"));
  startShown();
  EXPECT_EQ(main().Image15.pictureName(), "browser_mo");
  EXPECT_FALSE(memberLayout());
}

TEST_F(ForumMember, TheBrowsersMemberPostsANewTopicFromTheInventory) {
  defaultBrowser("IExplore");
  ieCookieFile(0, ieCookie("4711"));
  startShown();
  Tsoftwarefrm& soft = *app->softwarefrm;
  soft.show();
  click(soft.Label10);
  click(soft.Label8);
  EXPECT_TRUE(backend.boxes.empty());
  ASSERT_EQ(sys.fakeShell.requests.size(), 1u);
  EXPECT_EQ(sys.fakeShell.requests[0].target,
            "http://community.orvanta.example/forum/newthread.php?do=newthread&f=9");
}

}  // namespace
