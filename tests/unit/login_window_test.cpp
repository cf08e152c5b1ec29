// The forum login against a server on loopback: what the request carries, how the answer is
// judged, what a login changes in the main window and the settings, and the window closed or
// clicked again while the server thinks.
#include <gtest/gtest.h>

#include <atomic>

#include "app/qex_ulm_frm.h"
#include "online/httprequest.h"
#include "online/loginfrm.h"
#include "tests/unit/app_fixture.h"
#include "tests/unit/loopback_server.h"
#include "ui/dialogs.h"

namespace {

using loopback::Connection;

const char kRefused[] =
    "You tried logging in using either a wrong User name or Password. Please try again.";
const char kNoServer[] = "The software could not connect to the server. Please try again.";

struct LoginWindow : testing_app::AppTest {
  std::atomic<int> replies{0};
  std::string answer = "login:true";
  std::function<void(Connection&)> custom;
  loopback::Server server{[this](Connection& c) {
    ++replies;
    if (custom) return custom(c);
    c.send("HTTP/1.0 200 OK\r\n\r\n" + answer);
  }};

  void startWith(const std::string& system = "") {
    sys.fakeFiles.addFile("C:\\Program Files\\Orvanta\\qexsys.ini",
                          "[System]\r\nNews=0\r\n" + system);
    start();
    app->config.communityHost = "127.0.0.1:" + std::to_string(server.port());
    app->qex_ulm_frm->show();
    login().show();
  }
  Tloginfrm& login() { return *app->loginfrm; }
  void type(const std::string& user, const std::string& password) {
    login().Edit1.userEdited(user);
    login().Edit2.userEdited(password);
  }
};

TEST_F(LoginWindow, AKnownMemberBecomesTheMainWindowsMember) {
  startWith();
  type("Jo & Ann", "p=w+d#1");
  answer = "login:TRUE";
  click(login().Image1);

  ASSERT_EQ(server.requests().size(), 1u);
  const std::string request = server.requests()[0];
  const std::string port = std::to_string(server.port());
  EXPECT_EQ(
      request.substr(0, request.find("\r\n")),
      "POST /forum/instant.php?do=login&username=Jo%20%26%20Ann&password=p%3Dw%2Bd%231 HTTP/1.0");
  EXPECT_NE(request.find("\r\nFrom: Orvanta Kestrel\r\n"), std::string::npos);
  EXPECT_NE(request.find("\r\nReferer: http://127.0.0.1:" + port + "/forum/instant.php\r\n"),
            std::string::npos);
  EXPECT_NE(request.find("\r\nAuthorization: Basic " +
                         online::base64("user: Jo & Ann:password: p=w+d#1") + "\r\n"),
            std::string::npos);
  EXPECT_EQ(request.substr(request.find("\r\n\r\n") + 4),
            online::formEncode("user:Jo & Annpassword:p=w+d#1"));

  Tqex_ulm_frm& main = *app->qex_ulm_frm;
  EXPECT_EQ(main.Label1.caption(), "Member: Jo & Ann");
  EXPECT_EQ(main.storedUser, "Jo & Ann");
  EXPECT_TRUE(main.dialogLogin);
  EXPECT_TRUE(main.memberFlag);
  EXPECT_EQ(main.Image21.left(), 299);
  EXPECT_EQ(main.Image21.pictureName(), "profile_1");
  EXPECT_EQ(main.Image17.pictureName(), "logout_1");
  EXPECT_NE(ini().find("User=Jo & Ann"), std::string::npos) << ini();
  EXPECT_NE(ini().find("Member=1"), std::string::npos) << ini();
  EXPECT_FALSE(login().visible());
  EXPECT_TRUE(backend.boxes.empty());
}

TEST_F(LoginWindow, OnlyTrueAfterTheLastColonLogsIn) {
  startWith();
  for (const char* reply : {"login:true\r\n", "login:false", "true", ""}) {
    answer = reply;
    backend.boxes.clear();
    type("jo", "wrong");
    click(login().Image1);
    ASSERT_EQ(backend.boxes.size(), 1u) << reply;
    EXPECT_EQ(backend.boxes[0].text, kRefused);
    EXPECT_EQ(backend.boxes[0].owner, "loginfrm");
    EXPECT_EQ(backend.boxes[0].flags, ui::kMbOk | ui::kMbIconWarning);
    EXPECT_EQ(login().Label5.caption(), "Login failed.");
    EXPECT_TRUE(login().Edit1.enabled());
    EXPECT_TRUE(login().visible());
  }
  EXPECT_FALSE(app->qex_ulm_frm->memberFlag);
  EXPECT_EQ(ini().find("Member=1"), std::string::npos);
}

TEST_F(LoginWindow, NoServerIsSaidSo) {
  startWith();
  app->config.communityHost = "127.0.0.1:" + std::to_string(loopback::unusedPort());
  type("jo", "pw");
  click(login().Image1);
  ASSERT_EQ(backend.boxes.size(), 1u);
  EXPECT_EQ(backend.boxes[0].text, kNoServer);
  EXPECT_EQ(login().Label5.caption(), "Login failed.");
  EXPECT_TRUE(login().Edit2.enabled());
}

TEST_F(LoginWindow, EnterLogsInAsTheButtonDoes) {
  startWith();
  app->config.communityHost = "127.0.0.1:" + std::to_string(loopback::unusedPort());
  type("jo", "pw");
  login().dialogKey(ui::Form::kKeyReturn);
  ASSERT_EQ(backend.boxes.size(), 1u);
  EXPECT_EQ(backend.boxes[0].text, kNoServer);
}

TEST_F(LoginWindow, ARedirectElsewhereGetsNoPasswordAndTheLoginFails) {
  loopback::Server elsewhere([](Connection& c) { c.send("HTTP/1.0 200 OK\r\n\r\nlogin:true"); },
                             "127.0.0.2");
  custom = [&](Connection& c) {
    c.send("HTTP/1.0 302 Found\r\nLocation: " + elsewhere.url("/forum/instant.php") + "\r\n\r\n");
  };
  startWith();
  type("jo", "secret");
  click(login().Image1);
  EXPECT_TRUE(elsewhere.requests().empty());
  ASSERT_EQ(backend.boxes.size(), 1u);
  EXPECT_EQ(backend.boxes[0].text, kNoServer);
  EXPECT_EQ(login().Label5.caption(), "Login failed.");
  EXPECT_FALSE(app->qex_ulm_frm->memberFlag);
}

TEST_F(LoginWindow, ShowingFillsInTheStoredNameAndRegisterOnlyForGuests) {
  startWith("User=jo\r\nMember=1\r\n");
  EXPECT_EQ(login().Edit1.text(), "jo");
  EXPECT_EQ(login().Label5.caption(), "");
  EXPECT_FALSE(login().Image2.enabled());
  click(login().Image2);
  EXPECT_TRUE(sys.fakeShell.requests.empty());

  login().close();
  app->settings().writeBool("System", "Member", false);
  login().Edit2.setText("left over");
  login().show();
  EXPECT_EQ(login().Edit2.text(), "");
  EXPECT_TRUE(login().Image2.enabled());
  click(login().Image2);
  ASSERT_EQ(sys.fakeShell.requests.size(), 1u);
  EXPECT_EQ(sys.fakeShell.requests[0].target,
            "http://127.0.0.1:" + std::to_string(server.port()) + "/forum/register.php");
}

TEST_F(LoginWindow, ClosedOrClickedAgainDuringTheExchangeTheWindowIsLeftAlone) {
  std::atomic<bool> done{false};
  custom = [&](Connection& c) {
    backend.post([&] {
      click(login().Image1);  // a second click while the first waits
      login().close();
      done = true;
    });
    for (int i = 0; i < 2000 && !done; ++i) c.stall(5);
    c.send("HTTP/1.0 200 OK\r\n\r\nlogin:true");
  };
  startWith();
  type("jo", "pw");
  click(login().Image1);
  EXPECT_TRUE(done);
  EXPECT_EQ(replies, 1);
  EXPECT_TRUE(backend.boxes.empty());
  EXPECT_FALSE(app->qex_ulm_frm->memberFlag);
  EXPECT_EQ(ini().find("Member=1"), std::string::npos);

  // Shown again, the window works as before.
  custom = nullptr;
  login().show();
  type("jo", "pw");
  click(login().Image1);
  EXPECT_TRUE(app->qex_ulm_frm->memberFlag);
}

}  // namespace
