#include "app/glyphreadout.h"

#include "app/dashboard.h"
#include "ui/canvas.h"

namespace app {

void GlyphReadout::show(const frame::Skin& skin, const std::string& text) {
  bool changed = false;
  if (cells_.width() != image_.width() || cells_.height() != image_.height()) {
    cells_.resize(image_.width(), image_.height(), ui::kWhite);
    drawn_.fill('\0');
  }
  const auto names = glyphCells(text);
  ui::Canvas canvas(cells_);
  for (size_t i = 0; i < drawn_.size(); ++i) {
    const char c = i < text.size() ? text[i] : ' ';
    if (drawn_[i] == c) continue;
    drawn_[i] = c;
    changed = true;
    const int x = glyphCellX(cells_.width(), static_cast<int>(i));
    canvas.brush = ui::kWhite;
    canvas.fillRect({x, 0, x + 6, cells_.height()});
    if (!names[i].empty()) canvas.draw(x, 0, skin.bitmap(names[i]));
  }
  if (changed) {
    cells_.transparent = true;
    image_.setPicture(cells_);
  }
}

}  // namespace app
