#include "ui/framedbar.h"

#include <algorithm>

#include "ui/canvas.h"

namespace ui {

FramedBar::FramedBar(int frameWidth, int frameHeight, int fillWidth, int fillHeight,
                     Color frameColor)
    : frame_(frameWidth, frameHeight), fill_(fillWidth, fillHeight, kWhite) {
  Canvas frame(frame_);
  frame.pen = frameColor;
  frame.frameRect({0, 0, frame_.width(), frame_.height()});
}

void FramedBar::clear() {
  Canvas fill(fill_);
  fill.brush = kWhite;
  fill.fillRect({0, 0, fill_.width(), fill_.height()});
}

const Bitmap& FramedBar::fillTo(int width, Color color) {
  Canvas fill(fill_);
  fill.brush = color;
  fill.fillRect({0, 0, std::min(width, fill_.width()), fill_.height()});
  Canvas(frame_).draw(1, 1, fill_);
  return frame_;
}

}  // namespace ui
