// The System Wizard window.
#pragma once

#include "app/window.h"

class Tsystemprofrm : public app::Window {
 public:
  explicit Tsystemprofrm(app::App& app);
};
