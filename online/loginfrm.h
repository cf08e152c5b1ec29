// The Member Login window: a forum user name and password checked by the community server.
// A successful login stores the name and puts the main window into the member state.
#pragma once

#include <cstdint>
#include <string>

#include "app/window.h"
#include "frame/standardbutton.h"
#include "online/httpclient.h"
#include "ui/windowed.h"

class Tloginfrm : public app::Window {
 public:
  // The login reply is a line of text; the exchange as a whole gets this long.
  static constexpr int64_t kMaxReply = 64 * 1024;
  static constexpr int kTimeLimitMs = 30000;

  explicit Tloginfrm(app::App& app);

  ui::Label Label1{*this, "Label1"}, Label2{*this, "Label2"};
  ui::Edit Edit1{*this, "Edit1"}, Edit2{*this, "Edit2"};
  // The status line.
  ui::Label Label5{*this, "Label5"};
  // The Login and Register buttons: faces and captions.
  ui::Image Image1{*this, "Image1"}, Image2{*this, "Image2"};
  ui::Label Label3{*this, "Label3"}, Label4{*this, "Label4"};

  online::HttpClient HTTPlogin;
  bool memberSetting = false;

  // Posts the login and tells whether the server accepted it; throws HttpError when the
  // exchange failed.
  bool LoginExchange(const std::string& user, const std::string& password);

 private:
  frame::StandardButton login_, register_;
  // Changes when the window closes, so an exchange it outlived leaves the window alone.
  uint64_t session_ = 0;

  void FormShow() override;
  void FormClose(ui::CloseAction& action) override;
  void FormMouseMove(int x, int y) override;
  void FormEnter() override { loginClick(); }
  void loginClick();
  void registerClick();
  void loggedIn(const std::string& user);
  void refused(const std::string& warning);
  void setFieldsEnabled(bool enabled);
};
