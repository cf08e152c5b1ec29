// The file viewer window.
#pragma once

#include "app/skinnedform.h"

class TSearchFrm : public app::SkinnedForm {
 public:
  explicit TSearchFrm(app::App& app);
};
