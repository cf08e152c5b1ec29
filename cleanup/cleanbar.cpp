#include "cleanup/cleanbar.h"

#include "ui/canvas.h"

namespace cleanup {

CleanBar::CleanBar(int barWidth, int barHeight)
    : bar_(barWidth - 3, barHeight - 3, barWidth - 5, barHeight - 5, kFrameColor),
      image_(barWidth - 2, barHeight - 2) {}

void CleanBar::reset() { bar_.clear(); }

const ui::Bitmap& CleanBar::draw(int fillWidth) {
  ui::Canvas(image_).draw(1, 1, bar_.fillTo(fillWidth, kFillColor));
  image_.transparent = true;
  return image_;
}

}  // namespace cleanup
