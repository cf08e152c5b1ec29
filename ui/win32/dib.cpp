#include "ui/win32/dib.h"

#include <algorithm>
#include <cstring>

namespace ui::win32 {

namespace {

BITMAPINFO topDown(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first, like ui::Bitmap
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

GdiPtr<HBITMAP> createDib(int width, int height, uint32_t*& bits) {
  const BITMAPINFO info = topDown(width, height);
  void* memory = nullptr;
  GdiPtr<HBITMAP> bmp(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0));
  bits = bmp ? static_cast<uint32_t*>(memory) : nullptr;
  return bmp;
}

}  // namespace

bool Dib::resize(int width, int height) {
  if (bitmap_ && width == width_ && height == height_) return true;
  bitmap_.reset();
  bits_ = nullptr;
  width_ = height_ = 0;
  if (width <= 0 || height <= 0 || width > Bitmap::kMaxSide || height > Bitmap::kMaxSide) return false;
  bitmap_ = createDib(width, height, bits_);
  if (!bitmap_) return false;
  width_ = width;
  height_ = height;
  return true;
}

bool Dib::reserve(int width, int height) {
  if (bitmap_ && width <= width_ && height <= height_) return true;
  return resize(std::max(width, width_), std::max(height, height_));
}

GdiPtr<HBITMAP> toHbitmap(const Bitmap& picture) {
  if (picture.empty()) return nullptr;
  uint32_t* bits = nullptr;
  GdiPtr<HBITMAP> bmp = createDib(picture.width(), picture.height(), bits);
  if (!bmp) return nullptr;
  for (int y = 0; y < picture.height(); ++y)
    std::memcpy(bits + static_cast<size_t>(y) * picture.width(), picture.row(y),
                static_cast<size_t>(picture.width()) * sizeof(uint32_t));
  GdiFlush();
  return bmp;
}

void copyToDevice(HDC dc, int x, int y, const Bitmap& picture) {
  if (picture.empty()) return;
  const BITMAPINFO info = topDown(picture.width(), picture.height());
  SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(picture.width()), static_cast<DWORD>(picture.height()), 0, 0, 0,
                    static_cast<UINT>(picture.height()), picture.row(0), &info, DIB_RGB_COLORS);
}

}  // namespace ui::win32
