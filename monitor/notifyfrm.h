// The notification popup above the taskbar.
#pragma once

#include "app/skinnedform.h"

class Tnotifyfrm : public app::SkinnedForm {
 public:
  explicit Tnotifyfrm(app::App& app);
};
