#include "ui/canvas.h"

#include <algorithm>
#include <cmath>

namespace ui {

Rect Canvas::clipped(const Rect& r) const {
  return Rect{std::max({r.left, clip_.left, ox_}), std::max({r.top, clip_.top, oy_}),
              std::min({r.right, clip_.right, ox_ + bmp_.width()}),
              std::min({r.bottom, clip_.bottom, oy_ + bmp_.height()})};
}

void Canvas::fillRect(const Rect& r) {
  const Rect c = clipped(r);
  for (int y = c.top; y < c.bottom; ++y) std::fill(at(c.left, y), at(c.right, y), brush);
}

void Canvas::frameRect(const Rect& r) {
  if (r.empty()) return;
  const Rect c = clipped(r);
  auto put = [&](int x, int y) {
    if (c.contains(x, y)) *at(x, y) = pen;
  };
  for (int x = r.left; x < r.right; ++x) put(x, r.top), put(x, r.bottom - 1);
  for (int y = r.top; y < r.bottom; ++y) put(r.left, y), put(r.right - 1, y);
}

void Canvas::roundRect(const Rect& r, int ellipseW, int ellipseH) {
  if (r.empty()) return;
  const double rx = std::max(ellipseW, 1) / 2.0, ry = std::max(ellipseH, 1) / 2.0;
  // Horizontal inset of the rounded corner on row y (0 on straight edges).
  auto inset = [&](int y) -> int {
    double dy = 0;
    if (y < r.top + ry) dy = r.top + ry - (y + 0.5);
    else if (y >= r.bottom - ry) dy = (y + 0.5) - (r.bottom - ry);
    if (dy <= 0) return 0;
    const double t = std::max(0.0, 1.0 - (dy * dy) / (ry * ry));
    return static_cast<int>(std::lround(rx - rx * std::sqrt(t)));
  };
  auto inside = [&](int x, int y) {
    if (y < r.top || y >= r.bottom) return false;
    const int in = inset(y);
    return x >= r.left + in && x <= r.right - 1 - in;
  };
  // A pixel of the shape that touches the outside belongs to the outline.
  const Rect c = clipped(r);
  for (int y = c.top; y < c.bottom; ++y)
    for (int x = c.left; x < c.right; ++x) {
      if (!inside(x, y)) continue;
      const bool border = !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
      *at(x, y) = border ? pen : brush;
    }
}

void Canvas::draw(int x, int y, const Bitmap& src, const Rect& clip, bool skip) {
  if (src.empty()) return;
  const Color key = src.transparentColor();
  const Rect c = clipped(clip);
  const int x0 = std::max(0, c.left - x), y0 = std::max(0, c.top - y);
  const int x1 = std::min(src.width(), c.right - x), y1 = std::min(src.height(), c.bottom - y);
  for (int sy = y0; sy < y1; ++sy) {
    const uint32_t* s = src.row(sy);
    uint32_t* d = at(x + x0, y + sy);
    for (int sx = x0; sx < x1; ++sx) {
      const uint32_t p = s[sx] & 0xFFFFFF;
      if (!skip || p != key) d[sx - x0] = p;
    }
  }
}

void Canvas::stretchDraw(const Rect& r, const Bitmap& src, bool skip) {
  if (src.empty() || r.empty()) return;
  if (r.width() == src.width() && r.height() == src.height()) return draw(r.left, r.top, src, r, skip);
  const Color key = src.transparentColor();
  const Rect c = clipped(r);
  for (int y = c.top; y < c.bottom; ++y) {
    const int sy = static_cast<int>(static_cast<int64_t>(y - r.top) * src.height() / r.height());
    const uint32_t* s = src.row(sy);
    uint32_t* d = at(c.left, y);
    for (int x = c.left; x < c.right; ++x) {
      const int sx = static_cast<int>(static_cast<int64_t>(x - r.left) * src.width() / r.width());
      const uint32_t p = s[sx] & 0xFFFFFF;
      if (!skip || p != key) d[x - c.left] = p;
    }
  }
}

void Canvas::textOut(int x, int y, const std::string& text) {
  if (!text_) return;
  const Size s = text_->measure(font, text);
  text_->draw(bmp_, local(Rect{x, y, x + s.width, y + s.height}), local(clip_), font, text, Align::Left, false);
}

void Canvas::textRect(const Rect& r, const std::string& text, Align align, bool wrap) {
  if (text_) text_->draw(bmp_, local(r), local(clip_), font, text, align, wrap);
}

Size Canvas::textExtent(const std::string& text) {
  return text_ ? text_->measure(font, text) : Size{};
}

}  // namespace ui
