// The Orvanta System Scan window.
#pragma once

#include "app/window.h"

class Tdeepscanfrm : public app::Window {
 public:
  explicit Tdeepscanfrm(app::App& app);

  // Fade out and close after a clean scan; set by the "-scan" start.
  bool AutoClose = false;
};
