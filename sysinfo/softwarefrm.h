// The Software Wizard window.
#pragma once

#include "app/skinnedform.h"

class Tsoftwarefrm : public app::SkinnedForm {
 public:
  explicit Tsoftwarefrm(app::App& app);
};
