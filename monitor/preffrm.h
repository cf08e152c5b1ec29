// The Preferences window: four switches kept in qexsys.ini, of which the two logon modes also
// become values under the current user's Run key. The switches are read live by other windows.
#pragma once

#include <string>

#include "app/window.h"
#include "frame/standardbutton.h"

class Tpreffrm : public app::Window {
 public:
  explicit Tpreffrm(app::App& app);

  // The in-memory switches: the watcher reads SysChange, the threat scan InfSound, at any time.
  bool SysChange = false;   // notify on changes in the Windows directory
  bool InfSound = false;    // play the warning sound on each threat found
  bool SysScan = false;     // scan at logon
  bool SysMonitor = false;  // run the monitor at logon

  // The switches.
  ui::Image Image4{*this, "Image4"}, Image5{*this, "Image5"}, Image6{*this, "Image6"},
      Image7{*this, "Image7"};
  // OK and Cancel: faces and captions.
  ui::Image Image2{*this, "Image2"}, Image1{*this, "Image1"};
  ui::Label Label3{*this, "Label3"}, Label2{*this, "Label2"};

 private:
  frame::StandardButton ok_, cancel_;

  void readSwitches();
  void showSwitches();
  void OkClick();

  void FormShow() override;
  void FormMouseMove(int x, int y) override;
  void FormEnter() override { OkClick(); }
};
