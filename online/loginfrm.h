// The Member Login window.
#pragma once

#include "app/window.h"

class Tloginfrm : public app::Window {
 public:
  explicit Tloginfrm(app::App& app);
};
