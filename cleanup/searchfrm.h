// The file viewer window.
#pragma once

#include "app/window.h"

class TSearchFrm : public app::Window {
 public:
  explicit TSearchFrm(app::App& app);
};
