// A picture that acts as a button: base + "_1" normal, "_2" under the mouse, "_3" pressed.
// One control of a window shows its hover picture at a time, ruled by the window's latch.
#pragma once

#include <functional>
#include <string>

#include "frame/skin.h"
#include "ui/control.h"

namespace frame {

class ImageButton {
 public:
  ImageButton(const Skin& skin, ui::Image& image, std::string base, bool& hoverLatch)
      : skin_(skin), image_(image), base_(std::move(base)), latch_(hoverLatch) {}

  // The mouse moved over the button: its hover picture, unless another control holds the latch.
  bool hover();
  void press() { show(3); }
  void normal() { show(1); }
  void show(int state) { skin_.load(image_, base_ + "_" + std::to_string(state)); }
  // Routes a control's mouse events (the button's own picture, or a caption label on top of
  // it) to the protocol: hover, press, and on click the normal picture before the action.
  void bind(ui::Control& c, std::function<void()> action);
  ui::Image& image() { return image_; }

 private:
  const Skin& skin_;
  ui::Image& image_;
  std::string base_;
  bool& latch_;
};

}  // namespace frame
