// The about window: version, credits and links to the vendor's and the partners' sites.
#pragma once

#include "app/skinnedform.h"

class Taboutfrm : public app::SkinnedForm {
 public:
  explicit Taboutfrm(app::App& app);
};
