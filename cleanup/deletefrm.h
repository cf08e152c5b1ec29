// The Deleting Temporary Files... window.
#pragma once

#include "app/window.h"

class Tdeletefrm : public app::Window {
 public:
  explicit Tdeletefrm(app::App& app);
};
