// A bar filled from the left inside a one-pixel frame: the frame bitmap with the fill bitmap
// drawn into it one pixel in from its top left corner. The fill keeps what it has filled until
// it is cleared, so a bar that only grows is drawn on without clearing.
#pragma once

#include "ui/bitmap.h"

namespace ui {

class FramedBar {
 public:
  // A frame frameWidth × frameHeight outlined in frameColor around a white fill of the size given.
  FramedBar(int frameWidth, int frameHeight, int fillWidth, int fillHeight, Color frameColor);

  // The fill white again.
  void clear();
  // Fills from the left up to width (no further than the fill reaches) in color, and returns
  // the frame with the fill drawn in.
  const Bitmap& fillTo(int width, Color color);

  const Bitmap& frame() const { return frame_; }
  const Bitmap& fill() const { return fill_; }

 private:
  Bitmap frame_, fill_;
};

}  // namespace ui
