// Device-independent bitmaps as the skin generator writes them: what a BITMAP resource holds
// (a BITMAPINFOHEADER and the pixel rows, no file header) and the .bmp file that resource
// compilers read. The program reads them back with codecs/dib.h.
#pragma once

#include <string>

#include "ui/bitmap.h"

namespace skin {

// 24 bits per pixel, bottom-up, rows padded to four bytes, BI_RGB.
std::string encodeDib(const ui::Bitmap& bitmap);
// The same picture behind a BITMAPFILEHEADER.
std::string encodeBmpFile(const ui::Bitmap& bitmap);

}  // namespace skin
