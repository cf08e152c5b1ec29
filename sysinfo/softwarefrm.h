// The Software Wizard window.
#pragma once

#include "app/window.h"

class Tsoftwarefrm : public app::Window {
 public:
  explicit Tsoftwarefrm(app::App& app);
};
