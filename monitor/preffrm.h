// The Preferences window.
#pragma once

#include "app/window.h"

class Tpreffrm : public app::Window {
 public:
  explicit Tpreffrm(app::App& app);

  // The in-memory switches, which other windows read at any time: the watcher SysChange, the
  // threat scan InfSound.
  bool SysChange = false;   // notify on changes in the Windows directory
  bool InfSound = false;    // play the warning sound on each threat found
  bool SysScan = false;     // scan at logon
  bool SysMonitor = false;  // run the monitor at logon
};
