// A label used as a link: the hand cursor, the underline while the mouse is over it (ruled by
// the window's hover latch, like the image buttons), and an action on click.
#pragma once

#include <functional>

#include "ui/control.h"

namespace frame {

class HoverLink {
 public:
  HoverLink(ui::Label& label, bool& hoverLatch, std::function<void()> action);
  HoverLink(const HoverLink&) = delete;
  HoverLink& operator=(const HoverLink&) = delete;

  // The mouse moved over the link: underlined, unless another control holds the latch.
  bool hover();
  // Back to the plain look when the mouse crossed the window's background.
  void normal() { label_.setUnderline(false); }

 private:
  ui::Label& label_;
  bool& latch_;
};

}  // namespace frame
