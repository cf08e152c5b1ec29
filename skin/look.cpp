#include "skin/look.h"

#include "skin/paint.h"
#include "skin/pixelfont.h"

namespace skin::look {

ui::Color headerColor(int y, int height) {
  const double t = height > 1 ? double(y) / (height - 1) : 0.0;
  // A glossy band: light upper half, then the deep frame blue.
  return t < 0.5 ? mix(lighten(kFrameFill, 0.25), kFrameFill, t * 2) : mix(kFrameFill, kFramePen, (t - 0.5) * 2);
}

void headerBand(ui::Bitmap& bmp, const ui::Rect& r) {
  for (int y = r.top; y < r.bottom; ++y) fill(bmp, ui::Rect{r.left, y, r.right, y + 1}, headerColor(y - r.top, r.height()));
  fill(bmp, ui::Rect{r.left, r.bottom - 1, r.right, r.bottom}, darken(kFramePen, 0.3));
}

void mark(ui::Bitmap& bmp, int x, int y, int size) {
  const double s = size / 32.0, cx = x + 16 * s, cy = y + 16 * s;
  disc(bmp, cx, cy + 0.6 * s, 15.5 * s, solid(darken(kFramePen, 0.35)), 0.35);  // soft shadow
  disc(bmp, cx, cy, 15 * s, vertical(ui::Rect{x, y, x + size, y + size}, ui::rgb(255, 214, 120), ui::rgb(226, 128, 40)));
  ring(bmp, cx, cy, 15 * s, 13.6 * s, ui::rgb(255, 240, 200));
  auto pt = [&](double px, double py) { return std::make_pair(x + px * s, y + py * s); };
  // A kestrel from above: wings bent at the wrist, slim body, long tail.
  const ui::Color brown = ui::rgb(84, 46, 22);
  const Points bird = {pt(16, 9),    pt(17.5, 11),  pt(24, 8.5),  pt(30.5, 14), pt(24, 13.2), pt(18.3, 15.5),
                       pt(17, 17.5), pt(17.3, 24),  pt(19, 27.5), pt(13, 27.5), pt(14.7, 24), pt(15, 17.5),
                       pt(13.7, 15.5), pt(8, 13.2), pt(1.5, 14),  pt(8, 8.5),    pt(14.5, 11)};
  polygon(bmp, bird, solid(brown));
  disc(bmp, x + 16 * s, y + 9 * s, 2 * s, solid(brown));
}

void logo(ui::Bitmap& bmp, int x, int y, int nameScale) {
  mark(bmp, x, y, 30);
  drawText(bmp, x + 38, y + 2, "ORVANTA", TextStyle{ui::rgb(220, 234, 252), 1, false});
  const TextStyle name{ui::kWhite, nameScale, true};
  drawText(bmp, x + 39, y + 13, "KESTREL", TextStyle{darken(kFramePen, 0.4), nameScale, true});  // shade
  drawText(bmp, x + 38, y + 12, "KESTREL", name);
}

void titledPanel(ui::Bitmap& bmp, const ui::Rect& r, const std::string& title, int titleHeight) {
  roundRect(bmp, ui::Rect{r.left + 1, r.top + 2, r.right + 1, r.bottom + 2}, 7, solid(darken(kDashboard, 0.12)));
  roundPanel(bmp, r, 7, kPanelEdge, solid(kPanel));
  const ui::Rect strip{r.left + 1, r.top + 1, r.right - 1, r.top + titleHeight};
  roundRect(bmp, strip, 6, vertical(strip, kFrameFill, kFramePen));
  fill(bmp, ui::Rect{strip.left, strip.bottom - 6, strip.right, strip.bottom}, kFramePen);
  fill(bmp, ui::Rect{strip.left, strip.bottom - 6, strip.right, strip.bottom - 3}, mix(kFrameFill, kFramePen, 0.85));
  drawText(bmp, r.left + 10, r.top + (titleHeight - kGlyphHeight) / 2, title, TextStyle{ui::kWhite, 1, true});
}

void well(ui::Bitmap& bmp, const ui::Rect& r) {
  roundRect(bmp, r, 6, solid(darken(kBody, 0.35)));
  roundRect(bmp, ui::Rect{r.left + 1, r.top + 1, r.right, r.bottom}, 5, solid(lighten(kBody, 0.18)));
  roundRect(bmp, ui::Rect{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, 5, solid(darken(kBody, 0.18)));
}

void notePanel(ui::Bitmap& bmp, const ui::Rect& r) {
  roundRect(bmp, ui::Rect{r.left + 1, r.top + 2, r.right + 1, r.bottom + 2}, 7, solid(darken(kBody, 0.4)));
  roundPanel(bmp, r, 7, kHighlight, vertical(r, ui::rgb(236, 243, 252), kListBack));
}

void darkBase(ui::Bitmap& bmp, int titleBandHeight) {
  const int w = bmp.width(), h = bmp.height();
  verticalGradient(bmp, ui::Rect{0, 0, w, h}, kBodyLight, kBody);
  fill(bmp, ui::Rect{0, h / 3, w, h}, kBody);
  verticalGradient(bmp, ui::Rect{0, titleBandHeight, w, h / 3}, kBodyLight, kBody);
  if (titleBandHeight > 0) {
    headerBand(bmp, ui::Rect{0, 0, w, titleBandHeight});
    drawText(bmp, 10, (titleBandHeight - kGlyphHeight) / 2, "ORVANTA KESTREL", TextStyle{ui::kWhite, 1, true});
  }
}

}  // namespace skin::look
