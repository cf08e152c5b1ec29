#include "codecs/gif_screen.h"

#include <algorithm>
#include <cstring>

namespace codecs {
namespace {

// Copies the block of r's size at (fromX, fromY) of one bitmap to (toX, toY) of another.
void copyArea(const ui::Bitmap& from, int fromX, int fromY, ui::Bitmap& to, int toX, int toY, const ui::Rect& r) {
  for (int y = 0; y < r.height(); ++y)
    std::memcpy(to.row(toY + y) + toX, from.row(fromY + y) + fromX, static_cast<size_t>(r.width()) * sizeof(uint32_t));
}

}  // namespace

GifScreen::GifScreen(const GifAnimation& animation) : anim_(animation) {
  screen_.resize(anim_.width, anim_.height, anim_.background);
  screen_.hasTransparentColor = anim_.hasTransparency;
  screen_.transparentColorValue = anim_.background;
}

const ui::Bitmap& GifScreen::show(size_t index) {
  if (anim_.frames.empty()) return screen_;
  index = std::min(index, anim_.frames.size() - 1);
  if (shown_ && index < *shown_) {
    screen_.resize(anim_.width, anim_.height, anim_.background);
    shown_.reset();
  }
  while (shown_ != index) {
    if (shown_) dispose(anim_.frames[*shown_]);
    shown_ = shown_ ? *shown_ + 1 : 0;
    draw(anim_.frames[*shown_]);
  }
  return screen_;
}

void GifScreen::draw(const GifFrame& f) {
  const ui::Rect& r = f.area;
  if (f.disposal == GifDisposal::Previous && saved_.resize(r.width(), r.height(), 0))
    copyArea(screen_, r.left, r.top, saved_, 0, 0, r);
  const int n = r.width();
  for (int y = 0; y < r.height(); ++y) {
    const uint8_t* src = f.indexes.data() + static_cast<size_t>(y) * n;
    uint32_t* dst = screen_.row(r.top + y) + r.left;
    if (f.transparent < 0) {
      for (int x = 0; x < n; ++x) dst[x] = f.palette[src[x]];
    } else {
      for (int x = 0; x < n; ++x)
        if (src[x] != f.transparent) dst[x] = f.palette[src[x]];
    }
  }
}

void GifScreen::dispose(const GifFrame& f) {
  const ui::Rect& r = f.area;
  if (f.disposal == GifDisposal::Background) {
    for (int y = r.top; y < r.bottom; ++y) std::fill(screen_.row(y) + r.left, screen_.row(y) + r.right, anim_.background);
  } else if (f.disposal == GifDisposal::Previous) {
    copyArea(saved_, 0, 0, screen_, r.left, r.top, r);
  }
}

}  // namespace codecs
