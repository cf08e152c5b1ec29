// The Startup Wizard window.
#pragma once

#include "app/window.h"

class Tstartfrm : public app::Window {
 public:
  explicit Tstartfrm(app::App& app);
};
