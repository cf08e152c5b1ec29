// The cleaner's progress bar: a fill drawn from the left inside a one-pixel frame, composed
// into a picture whose white parts are see-through, so the unfilled part of the bar shows the
// window behind it.
#pragma once

#include "ui/bitmap.h"
#include "ui/framedbar.h"

namespace cleanup {

class CleanBar {
 public:
  static constexpr ui::Color kFrameColor = ui::rgb(124, 160, 208);
  static constexpr ui::Color kFillColor = ui::rgb(66, 118, 191);

  // For a bar control of this size: the frame 3 pixels smaller, the fill 2 pixels smaller
  // than the frame, the composite 2 pixels smaller than the control.
  CleanBar(int barWidth, int barHeight);

  // Paints all of the fill white again.
  void reset();
  // Fills from the left up to fillWidth (the fill only grows until the next reset) and returns
  // the composite, marked transparent.
  const ui::Bitmap& draw(int fillWidth);

  const ui::Bitmap& frame() const { return bar_.frame(); }
  const ui::Bitmap& fill() const { return bar_.fill(); }

 private:
  ui::FramedBar bar_;
  ui::Bitmap image_;
};

}  // namespace cleanup
