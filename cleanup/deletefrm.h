// The Deleting Temporary Files... window.
#pragma once

#include "app/skinnedform.h"

class Tdeletefrm : public app::SkinnedForm {
 public:
  explicit Tdeletefrm(app::App& app);
};
