// Device-independent bitmaps: what a BITMAP resource holds (a BITMAPINFOHEADER, an optional
// colour table and the pixel rows, no file header) and the .bmp file that resource compilers
// read. Decoding reads bytes from a skin library that may have been replaced by anyone, so it
// checks every size before it touches the pixels.
#pragma once

#include <string>

#include "ui/bitmap.h"

namespace skin {

// 24 bits per pixel, bottom-up, rows padded to four bytes, BI_RGB.
std::string encodeDib(const ui::Bitmap& bitmap);
// The same picture behind a BITMAPFILEHEADER.
std::string encodeBmpFile(const ui::Bitmap& bitmap);

struct DibResult {
  ui::Bitmap bitmap;
  std::string error;  // empty on success
  bool ok() const { return error.empty(); }
};

// Accepts BITMAPINFOHEADER (and its longer V4/V5 forms) with 1, 4, 8, 24 or 32 bits per
// pixel, BI_RGB, bottom-up or top-down; everything else is refused with a reason.
DibResult decodeDib(const std::string& bytes);

}  // namespace skin
