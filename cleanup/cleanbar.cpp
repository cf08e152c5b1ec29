#include "cleanup/cleanbar.h"

#include "ui/canvas.h"

namespace cleanup {

CleanBar::CleanBar(int barWidth, int barHeight)
    : barWidth_(barWidth),
      barHeight_(barHeight),
      frame_(barWidth - 3, barHeight - 3),
      fill_(frame_.width() - 2, frame_.height() - 2) {
  ui::Canvas frame(frame_);
  frame.pen = kFrameColor;
  frame.frameRect({0, 0, frame_.width(), frame_.height()});
}

void CleanBar::reset() {
  ui::Canvas fill(fill_);
  fill.brush = ui::kWhite;
  fill.fillRect({0, 0, fill_.width(), fill_.height()});
}

const ui::Bitmap& CleanBar::draw(int fillWidth) {
  image_.resize(barWidth_ - 2, barHeight_ - 2);
  ui::Canvas fill(fill_);
  fill.brush = kFillColor;
  fill.fillRect({0, 0, fillWidth, fill_.height()});
  ui::Canvas(frame_).draw(1, 1, fill_);
  ui::Canvas(image_).draw(1, 1, frame_);
  image_.transparent = true;
  return image_;
}

}  // namespace cleanup
