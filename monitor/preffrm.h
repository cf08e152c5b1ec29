// The Preferences window.
#pragma once

#include "app/window.h"

class Tpreffrm : public app::Window {
 public:
  explicit Tpreffrm(app::App& app);
};
