#include "app/diskbar.h"

#include "ui/canvas.h"

namespace app {

void DiskBar::show(ui::Image& bar, int fillWidth) {
  const int frameWidth = bar.width() - 3, frameHeight = bar.height() - 3;
  if (!bar_ || bar_->frame().width() != frameWidth || bar_->frame().height() != frameHeight)
    bar_.emplace(frameWidth, frameHeight, frameWidth - 2, frameHeight - 2, ui::rgb(138, 162, 195));
  if (fillWidth >= 0) fillWidth_ = fillWidth;

  // The used share can shrink: the fill starts white every time.
  bar_->clear();
  result_.resize(bar.width(), bar.height());
  ui::Canvas(result_).draw(1, 1, bar_->fillTo(fillWidth_, ui::rgb(175, 203, 240)));
  result_.transparent = true;
  bar.setPicture(result_);
}

}  // namespace app
