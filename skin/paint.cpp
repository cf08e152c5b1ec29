#include "skin/paint.h"

#include <algorithm>
#include <cmath>

namespace skin {
namespace {

int channel(ui::Color c, int shift) { return static_cast<int>((c >> shift) & 255); }

ui::Rect clip(const ui::Bitmap& bmp, const ui::Rect& r) {
  return ui::Rect{std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, bmp.width()),
                  std::min(r.bottom, bmp.height())};
}

ui::Rect bounds(double x0, double y0, double x1, double y1) {
  return ui::Rect{static_cast<int>(std::floor(x0)), static_cast<int>(std::floor(y0)),
                  static_cast<int>(std::ceil(x1)) + 1, static_cast<int>(std::ceil(y1)) + 1};
}

}  // namespace

ui::Color mix(ui::Color a, ui::Color b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  auto m = [&](int shift) {
    return static_cast<int>(std::lround(channel(a, shift) + (channel(b, shift) - channel(a, shift)) * t));
  };
  return ui::rgb(m(16), m(8), m(0));
}
ui::Color lighten(ui::Color c, double t) { return mix(c, ui::kWhite, t); }
ui::Color darken(ui::Color c, double t) { return mix(c, ui::kBlack, t); }

void fill(ui::Bitmap& bmp, const ui::Rect& r, ui::Color c) {
  const ui::Rect k = clip(bmp, r);
  for (int y = k.top; y < k.bottom; ++y) std::fill(bmp.row(y) + k.left, bmp.row(y) + k.right, c);
}

void verticalGradient(ui::Bitmap& bmp, const ui::Rect& r, ui::Color top, ui::Color bottom) {
  const double span = std::max(r.height() - 1, 1);
  for (int y = r.top; y < r.bottom; ++y) fill(bmp, ui::Rect{r.left, y, r.right, y + 1}, mix(top, bottom, (y - r.top) / span));
}

void horizontalGradient(ui::Bitmap& bmp, const ui::Rect& r, ui::Color left, ui::Color right) {
  const double span = std::max(r.width() - 1, 1);
  for (int x = r.left; x < r.right; ++x) fill(bmp, ui::Rect{x, r.top, x + 1, r.bottom}, mix(left, right, (x - r.left) / span));
}

Shader solid(ui::Color c) {
  return [c](int, int) { return c; };
}

Shader vertical(const ui::Rect& r, ui::Color top, ui::Color bottom) {
  const double span = std::max(r.height() - 1, 1);
  return [=](int, int y) { return mix(top, bottom, (y - r.top) / span); };
}

void paintShape(ui::Bitmap& bmp, const ui::Rect& box, const std::function<bool(double, double)>& inside,
                const Shader& shader, double opacity) {
  constexpr int kSamples = 4;
  const ui::Rect k = clip(bmp, box);
  for (int y = k.top; y < k.bottom; ++y)
    for (int x = k.left; x < k.right; ++x) {
      // Shapes here are convex at the scale of a pixel: a pixel whose corners all agree is
      // either wholly in or wholly out, and only edge pixels are sampled finely.
      const int corners = inside(x, y) + inside(x + 1, y) + inside(x, y + 1) + inside(x + 1, y + 1);
      double cover = 1;
      if (corners == 0 && !inside(x + 0.5, y + 0.5)) continue;
      if (corners != 4) {
        int hits = 0;
        for (int sy = 0; sy < kSamples; ++sy)
          for (int sx = 0; sx < kSamples; ++sx)
            hits += inside(x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples);
        cover = hits / double(kSamples * kSamples);
      }
      if (cover <= 0) continue;
      bmp.setPixel(x, y, mix(bmp.pixel(x, y), shader(x, y), cover * opacity));
    }
}

void roundRect(ui::Bitmap& bmp, const ui::Rect& r, double radius, const Shader& shader, double opacity) {
  const double rad = std::min({radius, r.width() / 2.0, r.height() / 2.0});
  const double l = r.left, t = r.top, rt = r.right, b = r.bottom;
  auto inside = [=](double x, double y) {
    if (x < l || x > rt || y < t || y > b) return false;
    const double cx = std::clamp(x, l + rad, rt - rad), cy = std::clamp(y, t + rad, b - rad);
    const double dx = x - cx, dy = y - cy;
    return dx * dx + dy * dy <= rad * rad;
  };
  paintShape(bmp, r, inside, shader, opacity);
}

void roundPanel(ui::Bitmap& bmp, const ui::Rect& r, double radius, ui::Color border, const Shader& inner) {
  roundRect(bmp, r, radius, solid(border));
  roundRect(bmp, ui::Rect{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, std::max(radius - 1, 0.0), inner);
}

void disc(ui::Bitmap& bmp, double cx, double cy, double radius, const Shader& shader, double opacity) {
  auto inside = [=](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius; };
  paintShape(bmp, bounds(cx - radius, cy - radius, cx + radius, cy + radius), inside, shader, opacity);
}

void ring(ui::Bitmap& bmp, double cx, double cy, double outer, double inner, ui::Color c) {
  auto inside = [=](double x, double y) {
    const double d = (x - cx) * (x - cx) + (y - cy) * (y - cy);
    return d <= outer * outer && d >= inner * inner;
  };
  paintShape(bmp, bounds(cx - outer, cy - outer, cx + outer, cy + outer), inside, solid(c));
}

void polygon(ui::Bitmap& bmp, const Points& points, const Shader& shader, double opacity) {
  if (points.size() < 3) return;
  double x0 = points[0].first, x1 = x0, y0 = points[0].second, y1 = y0;
  for (const auto& p : points) {
    x0 = std::min(x0, p.first), x1 = std::max(x1, p.first);
    y0 = std::min(y0, p.second), y1 = std::max(y1, p.second);
  }
  auto inside = [&points](double x, double y) {  // even-odd rule
    bool in = false;
    for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
      const auto& a = points[i];
      const auto& b = points[j];
      if ((a.second > y) != (b.second > y) &&
          x < (b.first - a.first) * (y - a.second) / (b.second - a.second) + a.first)
        in = !in;
    }
    return in;
  };
  paintShape(bmp, bounds(x0, y0, x1, y1), inside, shader, opacity);
}

void line(ui::Bitmap& bmp, double x0, double y0, double x1, double y1, double width, ui::Color c) {
  const double half = width / 2, dx = x1 - x0, dy = y1 - y0, len2 = dx * dx + dy * dy;
  auto inside = [=](double x, double y) {
    const double t = len2 > 0 ? std::clamp(((x - x0) * dx + (y - y0) * dy) / len2, 0.0, 1.0) : 0.0;
    const double px = x0 + t * dx - x, py = y0 + t * dy - y;
    return px * px + py * py <= half * half;
  };
  paintShape(bmp, bounds(std::min(x0, x1) - half, std::min(y0, y1) - half, std::max(x0, x1) + half, std::max(y0, y1) + half),
             inside, solid(c));
}

}  // namespace skin
