#include "app/diskbar.h"

#include "ui/canvas.h"

namespace app {

void DiskBar::show(ui::Image& bar, int fillWidth) {
  if (frame_.width() != bar.width() - 3 || frame_.height() != bar.height() - 3) {
    frame_.resize(bar.width() - 3, bar.height() - 3);
    ui::Canvas frame(frame_);
    frame.pen = ui::rgb(138, 162, 195);
    frame.frameRect({0, 0, frame_.width(), frame_.height()});
    fill_.resize(frame_.width() - 2, frame_.height() - 2);
  }
  if (fillWidth >= 0) fillWidth_ = fillWidth;

  ui::Canvas fill(fill_);
  fill.brush = ui::kWhite;
  fill.fillRect({0, 0, fill_.width(), fill_.height()});
  fill.brush = ui::rgb(175, 203, 240);
  fill.fillRect({0, 0, fillWidth_, fill_.height()});
  ui::Canvas(frame_).draw(1, 1, fill_);
  result_.resize(bar.width(), bar.height());
  ui::Canvas(result_).draw(1, 1, frame_);
  result_.transparent = true;
  bar.setPicture(result_);
}

}  // namespace app
