#include "frame/hoverlink.h"

namespace frame {

HoverLink::HoverLink(ui::Label& label, bool& hoverLatch, std::function<void()> action)
    : label_(label), latch_(hoverLatch) {
  label_.cursor = ui::Cursor::Hand;
  label_.onMouseMove = [this](int, int) { hover(); };
  label_.onClick = std::move(action);
}

bool HoverLink::hover() {
  if (latch_) return false;
  label_.setUnderline(true);
  latch_ = true;
  return true;
}

}  // namespace frame
