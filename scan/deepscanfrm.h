// The Orvanta System Scan window.
#pragma once

#include "app/skinnedform.h"

class Tdeepscanfrm : public app::SkinnedForm {
 public:
  explicit Tdeepscanfrm(app::App& app);

  // Fade out and close after a clean scan; set by the "-scan" start.
  bool AutoClose = false;
};
