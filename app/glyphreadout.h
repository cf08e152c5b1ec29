// A memory figure of the main window drawn with the skin's digit glyphs, one 6-pixel cell per
// character, redrawing only the cells whose character changed.
#pragma once

#include <array>
#include <string>

#include "frame/skin.h"
#include "ui/control.h"

namespace app {

class GlyphReadout {
 public:
  explicit GlyphReadout(ui::Image& image) : image_(image) {}
  void show(const frame::Skin& skin, const std::string& text);

 private:
  ui::Image& image_;
  ui::Bitmap cells_;
  // The character last drawn in each cell; 0 for none yet.
  std::array<char, 4> drawn_{};
};

}  // namespace app
