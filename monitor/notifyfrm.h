// The notification popup above the taskbar.
#pragma once

#include "app/window.h"

class Tnotifyfrm : public app::Window {
 public:
  explicit Tnotifyfrm(app::App& app);
};
