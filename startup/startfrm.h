// The Startup Wizard window.
#pragma once

#include "app/skinnedform.h"

class Tstartfrm : public app::SkinnedForm {
 public:
  explicit Tstartfrm(app::App& app);
};
