// The disk usage bar of the main window: a frame with a one-pixel outline around a fill drawn
// from the left, shown transparent in the bar's picture control.
#pragma once

#include <optional>

#include "ui/bitmap.h"
#include "ui/control.h"
#include "ui/framedbar.h"

namespace app {

class DiskBar {
 public:
  // Draws the bar into its control with the fill this wide; a negative width keeps the last.
  void show(ui::Image& bar, int fillWidth);

 private:
  std::optional<ui::FramedBar> bar_;
  ui::Bitmap result_;
  int fillWidth_ = 0;
};

}  // namespace app
