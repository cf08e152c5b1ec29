// The System Wizard window.
#pragma once

#include "app/skinnedform.h"

class Tsystemprofrm : public app::SkinnedForm {
 public:
  explicit Tsystemprofrm(app::App& app);
};
