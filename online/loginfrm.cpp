#include "online/loginfrm.h"

#include "app/qex_ulm_frm.h"
#include "online/community.h"
#include "skin/layout.h"
#include "ui/dialogs.h"

namespace {

namespace community = online::community;
namespace L = skin::layout::login_form;

const ui::Color kFieldColor = ui::rgb(181, 217, 247);

}  // namespace

Tloginfrm::Tloginfrm(app::App& app)
    : Window(app, "Tloginfrm", "loginfrm", 335, 254, "Member Login", "login_form"),
      HTTPlogin(app.sys.sockets(), app.sys.files(), app.sys.clock(), [this] { app_.ui.processMessages(); }),
      login_(skin(), Image1, Label3, hoverLatch, L::kButtons[0].left, L::kButtons[0].top, "Login",
             [this] { loginClick(); }),
      register_(skin(), Image2, Label4, hoverLatch, L::kButtons[1].left, L::kButtons[1].top,
                "Register", [this] { registerClick(); }) {
  font = ui::Font::pixels("Verdana", 11, true, ui::kWhite);
  for (ui::Label* l : {&Label1, &Label2, &Label5}) l->setFont(font);
  Label1.setBounds(L::kUserCaption);
  Label1.setCaption("User Name:");
  Label2.setBounds(L::kPasswordCaption);
  Label2.setCaption("Password:");
  Label5.setAutoSize(false);
  Label5.setBounds(L::kStatus);
  Edit1.setBounds(L::kUserEdit);
  Edit2.setBounds(L::kPasswordEdit);
  Edit2.passwordChar = '*';
  for (ui::Edit* e : {&Edit1, &Edit2}) {
    e->setFont(ui::Font::pixels("Verdana", 11, false, ui::kNavy));
    e->setColor(kFieldColor);
  }
  for (ui::Label* l : {&Label1, &Label2, &Label5})
    l->onMouseMove = [this](int x, int y) { FormMouseMove(x, y); };
}

void Tloginfrm::FormShow() {
  auto settings = app_.settings();
  Edit1.setText(settings.readString("System", "User", Edit1.text()));
  memberSetting = settings.readBool("System", "Member", memberSetting);
  setFieldsEnabled(true);
  if (!Edit2.text().empty()) Edit2.setText("");
  (Edit1.text().empty() ? Edit1 : Edit2).setFocus();
  register_.setEnabled(!memberSetting);
  Label5.setCaption("");
}

void Tloginfrm::FormClose(ui::CloseAction&) {
  // An exchange still waiting is abandoned: it ends at its next wait and leaves the window be.
  ++session_;
  HTTPlogin.abort();
}

void Tloginfrm::FormMouseMove(int, int) {
  if (!hoverLatch) return;
  hoverLatch = false;
  login_.normal();
  register_.normal();
}

void Tloginfrm::setFieldsEnabled(bool enabled) {
  Edit1.setEnabled(enabled);
  Edit2.setEnabled(enabled);
}

void Tloginfrm::registerClick() {
  const std::string page = community::address(app_.config.communityHost, community::kRegister);
  app_.openUrl(this, page, app::urlFailure(page));
}

void Tloginfrm::loginClick() {
  // The button stays enabled during the exchange; a second click must not start another.
  if (HTTPlogin.busy()) return;
  setFieldsEnabled(false);
  Label5.setCaption("Checking user ID... Please wait...");
  const std::string user = Edit1.text(), password = Edit2.text();
  const uint64_t session = session_;
  bool accepted = false;
  try {
    accepted = LoginExchange(user, password);
  } catch (const online::HttpError&) {
    if (session == session_)
      refused("The software could not connect to the server. Please try again.");
    return;
  }
  if (session != session_) return;
  if (accepted)
    loggedIn(user);
  else
    refused("You tried logging in using either a wrong User name or Password. Please try again.");
}

bool Tloginfrm::LoginExchange(const std::string& user, const std::string& password) {
  HTTPlogin.TimeOut = 5000;
  HTTPlogin.TimeLimit = kTimeLimitMs;
  HTTPlogin.MaxBodySize = kMaxReply;
  HTTPlogin.Header.clear();
  HTTPlogin.Body.clear();
  HTTPlogin.InputFileMode = false;
  HTTPlogin.HeaderInfo.Cookie.clear();
  HTTPlogin.HeaderInfo.LocalProgram = app::App::kTitle;
  HTTPlogin.HeaderInfo.Referer =
      community::address(app_.config.communityHost, community::kLoginPath);
  HTTPlogin.HeaderInfo.UserId = "user: " + user;
  HTTPlogin.HeaderInfo.Password = "password: " + password;
  HTTPlogin.Post(
      community::address(app_.config.communityHost, community::loginTarget(user, password)),
      "user:" + user + "password:" + password);
  return community::loginAccepted(HTTPlogin.Body);
}

void Tloginfrm::loggedIn(const std::string& user) {
  Tqex_ulm_frm& main = *app_.qex_ulm_frm;
  main.Label1.setCaption("Member: " + user);
  main.storedUser = user;
  main.dialogLogin = main.memberFlag = true;
  main.placeForumLinks();
  memberSetting = true;
  auto settings = app_.settings();
  settings.writeString("System", "User", user);
  settings.writeBool("System", "Member", true);
  close();
}

void Tloginfrm::refused(const std::string& warning) {
  app_.ui.messageBox(this, warning, app::App::kTitle, ui::kMbOk | ui::kMbIconWarning);
  if (!visible()) return;
  setFieldsEnabled(true);
  Label5.setCaption("Login failed.");
}
