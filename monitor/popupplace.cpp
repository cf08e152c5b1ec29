#include "monitor/popupplace.h"

namespace monitor {

ui::Rect popupPlace(int screenWidth, int screenHeight, int width, int height,
                    const std::optional<ui::Rect>& taskbar) {
  int right = screenWidth, bottom = screenHeight;
  if (taskbar && !taskbar->empty()) {
    const bool horizontal = taskbar->width() >= taskbar->height();
    if (horizontal && taskbar->top > 0)
      bottom -= taskbar->height();
    else if (!horizontal && taskbar->left > 0)
      right -= taskbar->width();
  }
  return ui::Rect{right - width, bottom - height, right, bottom};
}

}  // namespace monitor
