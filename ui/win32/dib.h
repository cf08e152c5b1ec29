// A 32-bit top-down device-independent bitmap: the same pixel layout as ui::Bitmap, so GDI
// draws text into one and the model's pictures are copied in and out row by row.
#pragma once

#include <windows.h>

#include <cstdint>

#include "ui/bitmap.h"
#include "ui/win32/handles.h"

namespace ui::win32 {

class Dib {
 public:
  // Makes the bitmap at least this large; false when the system refuses one.
  bool reserve(int width, int height);
  // Exactly this size (a window's client area).
  bool resize(int width, int height);
  HBITMAP handle() const { return bitmap_.get(); }
  int width() const { return width_; }
  int height() const { return height_; }
  uint32_t* row(int y) { return bits_ + static_cast<size_t>(y) * width_; }

 private:
  GdiPtr<HBITMAP> bitmap_;
  uint32_t* bits_ = nullptr;
  int width_ = 0, height_ = 0;
};

// A bitmap handle holding a copy of a picture, for image lists; null for an empty picture.
GdiPtr<HBITMAP> toHbitmap(const Bitmap& picture);

// Copies a picture to a device context with its top-left corner at (x, y): no bitmap handle
// and no second device context, which a painting of a few pixels would cost more than itself.
void copyToDevice(HDC dc, int x, int y, const Bitmap& picture);

}  // namespace ui::win32
