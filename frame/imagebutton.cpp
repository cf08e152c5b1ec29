#include "frame/imagebutton.h"

namespace frame {

bool ImageButton::hover() {
  if (latch_) return false;
  show(2);
  latch_ = true;
  return true;
}

void ImageButton::bind(ui::Control& c, std::function<void()> action) {
  c.onMouseMove = [this](int, int) { hover(); };
  c.onMouseDown = [this](int, int) { press(); };
  c.onClick = [this, action = std::move(action)] {
    normal();
    if (action) action();
  };
}

}  // namespace frame
