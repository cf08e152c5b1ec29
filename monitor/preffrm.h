// The Preferences window.
#pragma once

#include "app/skinnedform.h"

class Tpreffrm : public app::SkinnedForm {
 public:
  explicit Tpreffrm(app::App& app);
};
