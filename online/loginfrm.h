// The Member Login window.
#pragma once

#include "app/skinnedform.h"

class Tloginfrm : public app::SkinnedForm {
 public:
  explicit Tloginfrm(app::App& app);
};
