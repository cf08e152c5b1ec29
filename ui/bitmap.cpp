#include "ui/bitmap.h"

#include <utility>

namespace ui {

Bitmap::Bitmap(const Bitmap& other) { *this = other; }

Bitmap& Bitmap::operator=(const Bitmap& other) {
  if (this == &other) return *this;
  owned_.assign(other.data_, other.data_ + static_cast<size_t>(other.width_) * other.height_);
  data_ = owned_.data();
  width_ = other.width_;
  height_ = other.height_;
  transparent = other.transparent;
  hasTransparentColor = other.hasTransparentColor;
  transparentColorValue = other.transparentColorValue;
  return *this;
}

Bitmap::Bitmap(Bitmap&& other) noexcept { *this = std::move(other); }

Bitmap& Bitmap::operator=(Bitmap&& other) noexcept {
  if (this == &other) return *this;
  owned_ = std::move(other.owned_);
  data_ = owned_.data();
  width_ = other.width_;
  height_ = other.height_;
  transparent = other.transparent;
  hasTransparentColor = other.hasTransparentColor;
  transparentColorValue = other.transparentColorValue;
  other.data_ = nullptr;
  other.width_ = other.height_ = 0;
  return *this;
}

bool Bitmap::fits(int width, int height) {
  return width >= 0 && height >= 0 && width <= kMaxSide && height <= kMaxSide &&
         static_cast<int64_t>(width) * height <= kMaxPixels;
}

Bitmap Bitmap::unfilled(int width, int height) {
  Bitmap b;
  if (!fits(width, height)) return b;
  b.owned_.resize(static_cast<size_t>(width) * height);
  b.data_ = b.owned_.data();
  b.width_ = width;
  b.height_ = height;
  return b;
}

bool Bitmap::resize(int width, int height, Color fill) {
  if (!fits(width, height)) {
    owned_.clear();
    data_ = nullptr;
    width_ = height_ = 0;
    return false;
  }
  owned_.assign(static_cast<size_t>(width) * height, fill & 0xFFFFFF);
  data_ = owned_.data();
  width_ = width;
  height_ = height;
  return true;
}

Color Bitmap::transparentColor() const {
  if (hasTransparentColor) return transparentColorValue;
  if (empty()) return kWhite;
  return pixel(0, height_ - 1);
}

}  // namespace ui
