// The skin's own lettering: a small hand-drawn pixel font, so that the pictures look the same
// on every machine and need no system font at build time.
#pragma once

#include <string>

#include "ui/bitmap.h"

namespace skin {

struct TextStyle {
  ui::Color color = ui::kWhite;
  int scale = 1;      // every font pixel becomes scale × scale pixels
  bool bold = false;  // drawn twice, one pixel apart
};

constexpr int kGlyphHeight = 7;  // cap height; descenders reach two rows lower

int textWidth(const std::string& text, const TextStyle& style);
// Draws text with its top-left at (x, y), clipped to the bitmap.
void drawText(ui::Bitmap& target, int x, int y, const std::string& text, const TextStyle& style);

}  // namespace skin
