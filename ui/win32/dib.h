// A 32-bit top-down device-independent bitmap: the same pixel layout as ui::Bitmap, so the
// model's canvas paints straight into it and GDI draws text and copies it to the screen.
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
  Bitmap view() { return Bitmap::view(bits_, width_, height_); }

 private:
  GdiPtr<HBITMAP> bitmap_;
  uint32_t* bits_ = nullptr;
  int width_ = 0, height_ = 0;
};

// A bitmap handle holding a copy of a picture, for image lists; null for an empty picture.
GdiPtr<HBITMAP> toHbitmap(const Bitmap& picture);

}  // namespace ui::win32
