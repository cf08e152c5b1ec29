// Device-independent bitmaps as a BITMAP resource holds them: a BITMAPINFOHEADER, an optional
// colour table and the pixel rows, no file header. The bytes come from a skin library that may
// have been replaced by anyone, so every size is checked before the pixels are touched.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "ui/bitmap.h"

namespace codecs {

struct DibResult {
  ui::Bitmap bitmap;
  std::string error;  // empty on success
  bool ok() const { return error.empty(); }
};

// Accepts BITMAPINFOHEADER (and its longer V4/V5 forms) with 1, 4, 8, 24 or 32 bits per
// pixel, BI_RGB, bottom-up or top-down; everything else is refused with a reason.
DibResult decodeDib(std::string_view bytes);
// What decodeDib would refuse the bytes for, without making the picture: empty when it decodes.
std::string dibError(std::string_view bytes);
// Draws the picture with its top-left corner at (x, y) of the target, only the pixels that fall
// inside area (a part of the target), straight from the bytes: a window's picture painted this
// way needs no copy of its own. The picture's size; nothing when decodeDib would refuse it.
std::optional<ui::Size> drawDib(std::string_view bytes, ui::Bitmap& target, int x, int y, const ui::Rect& area);

}  // namespace codecs
