// The notification popup above the taskbar: raised by the folder watcher when the Windows
// directory changes, it fades in, stays ten seconds, fades out, and offers two links: the
// Windows directory and a system scan.
#pragma once

#include <array>

#include "app/window.h"
#include "frame/hoverlink.h"

class Tnotifyfrm : public app::Window {
 public:
  explicit Tnotifyfrm(app::App& app);

  // Title, message, the Windows directory link and the scan link.
  ui::Label Label1{*this, "Label1"}, Label2{*this, "Label2"}, Label3{*this, "Label3"},
      Label4{*this, "Label4"};
  ui::Timer Timer1{*this, "Timer1", 1};      // fade in
  ui::Timer Timer2{*this, "Timer2", 10000};  // hold
  ui::Timer Timer3{*this, "Timer3", 1};      // fade out

  // Opacity in percent, in steps of two.
  int alphaPercent = 0;

  // The watcher's change handler, on the user-interface thread: raises the popup unless it is
  // up already or the user switched the notification off.
  void folderChanged();
  // The watcher could not watch the folder.
  void watchFailed();

 private:
  std::array<frame::HoverLink, 2> links_;

  void showOpacity();
  void Timer1Timer();
  void Timer3Timer();
  void scanNow();

  void FormShow() override;
  void FormHide() override;
  void FormMouseMove(int x, int y) override;
  // The popup takes no focus and no keys: it goes by itself or by its own links.
  void FormEscape() override {}
};
