#include "skin/icons.h"

#include <cmath>

#include "skin/look.h"
#include "skin/paint.h"

namespace skin::icons {
namespace {

// Icons are designed on a 32-unit grid and scaled to their size.
struct Grid {
  int x, y;
  double s;
  double px(double u) const { return x + u * s; }
  double py(double u) const { return y + u * s; }
  ui::Rect rect(double l, double t, double r, double b) const {
    return ui::Rect{static_cast<int>(std::lround(px(l))), static_cast<int>(std::lround(py(t))),
                    static_cast<int>(std::lround(px(r))), static_cast<int>(std::lround(py(b)))};
  }
  Points pts(std::initializer_list<std::pair<double, double>> list) const {
    Points out;
    for (const auto& p : list) out.emplace_back(px(p.first), py(p.second));
    return out;
  }
};

Grid grid(int x, int y, int size) { return Grid{x, y, size / 32.0}; }

void shadow(ui::Bitmap& bmp, const Grid& g, double l, double t, double r, double b) {
  roundRect(bmp, g.rect(l + 1, t + 1.5, r + 1, b + 1.5), 2 * g.s, solid(ui::kBlack), 0.18);
}

}  // namespace

void bin(ui::Bitmap& bmp, int x, int y, int size) {
  const Grid g = grid(x, y, size);
  const ui::Color steel = ui::rgb(120, 150, 190), dark = ui::rgb(60, 86, 128);
  polygon(bmp, g.pts({{8, 10}, {24, 10}, {22.5, 29}, {9.5, 29}}), solid(ui::kBlack), 0.15);
  polygon(bmp, g.pts({{7, 9}, {25, 9}, {23.5, 28}, {8.5, 28}}), vertical(g.rect(7, 9, 25, 28), lighten(steel, 0.5), steel));
  for (double u : {12.0, 16.0, 20.0}) line(bmp, g.px(u), g.py(12), g.px(u), g.py(25), 1.4 * g.s, dark);
  roundRect(bmp, g.rect(5, 5.5, 27, 9.5), 1.5 * g.s, vertical(g.rect(5, 5.5, 27, 9.5), lighten(steel, 0.6), dark));
  roundRect(bmp, g.rect(13, 3, 19, 6), 1 * g.s, solid(dark));
}

void blocks(ui::Bitmap& bmp, int x, int y, int size) {
  const Grid g = grid(x, y, size);
  const ui::Color colors[4] = {ui::rgb(80, 150, 230), ui::rgb(90, 190, 120), ui::rgb(240, 170, 60), ui::rgb(80, 150, 230)};
  int i = 0;
  for (double row : {5.0, 17.0})
    for (double col : {5.0, 17.0}) {
      shadow(bmp, g, col, row, col + 10, row + 10);
      const ui::Rect r = g.rect(col, row, col + 10, row + 10);
      roundRect(bmp, r, 2 * g.s, solid(darken(colors[i], 0.3)));
      roundRect(bmp, g.rect(col + 1, row + 1, col + 9, row + 9), 1.5 * g.s, vertical(r, lighten(colors[i], 0.5), colors[i]));
      ++i;
    }
}

void gear(ui::Bitmap& bmp, int x, int y, int size, ui::Color c) {
  const Grid g = grid(x, y, size);
  const double cx = g.px(16), cy = g.py(16);
  Points teeth;
  for (int i = 0; i < 32; ++i) {  // eight teeth, each a flat top between two flanks
    const double a = i * kPi / 16, r = (i % 4 < 2 ? 14.0 : 10.5) * g.s;
    teeth.emplace_back(cx + r * std::cos(a + kPi / 32), cy + r * std::sin(a + kPi / 32));
  }
  polygon(bmp, teeth, vertical(g.rect(2, 2, 30, 30), lighten(c, 0.45), darken(c, 0.2)));
  ring(bmp, cx, cy, 7 * g.s, 3.8 * g.s, darken(c, 0.35));
  disc(bmp, cx, cy, 3.8 * g.s, solid(lighten(c, 0.8)));
}

void folder(ui::Bitmap& bmp, int x, int y, int size) {
  const Grid g = grid(x, y, size);
  const ui::Color back = ui::rgb(224, 170, 50), front = ui::rgb(252, 210, 96);
  roundRect(bmp, g.rect(3, 6, 14, 11), 1.5 * g.s, solid(back));
  roundRect(bmp, g.rect(3, 9, 29, 27), 1.5 * g.s, solid(back));
  polygon(bmp, g.pts({{6, 13}, {31, 13}, {28, 27}, {3, 27}}), vertical(g.rect(3, 13, 31, 27), lighten(front, 0.4), front));
}

void computer(ui::Bitmap& bmp, int x, int y, int size) {
  const Grid g = grid(x, y, size);
  const ui::Color shell = ui::rgb(196, 204, 216);
  shadow(bmp, g, 3, 4, 29, 22);
  roundRect(bmp, g.rect(3, 4, 29, 22), 2 * g.s, vertical(g.rect(3, 4, 29, 22), ui::kWhite, shell));
  const ui::Rect screen = g.rect(6, 7, 26, 19);
  fill(bmp, screen, ui::rgb(30, 70, 140));
  verticalGradient(bmp, ui::Rect{screen.left, screen.top, screen.right, screen.top + screen.height() / 2},
                   ui::rgb(110, 170, 240), ui::rgb(50, 100, 180));
  polygon(bmp, g.pts({{13, 22}, {19, 22}, {20, 26}, {12, 26}}), solid(darken(shell, 0.2)));
  roundRect(bmp, g.rect(8, 26, 24, 29), 1.5 * g.s, vertical(g.rect(8, 26, 24, 29), shell, darken(shell, 0.3)));
}

void bubbles(ui::Bitmap& bmp, int x, int y, int size) {
  const Grid g = grid(x, y, size);
  const ui::Color blue = ui::rgb(90, 150, 225), orange = ui::rgb(245, 170, 60);
  roundRect(bmp, g.rect(2, 4, 20, 17), 5 * g.s, vertical(g.rect(2, 4, 20, 17), lighten(blue, 0.5), blue));
  polygon(bmp, g.pts({{6, 15}, {11, 16}, {5, 21}}), solid(blue));
  roundRect(bmp, g.rect(12, 12, 30, 25), 5 * g.s, vertical(g.rect(12, 12, 30, 25), lighten(orange, 0.5), orange));
  polygon(bmp, g.pts({{21, 24}, {27, 23}, {27, 29}}), solid(orange));
  for (double u : {17.0, 21.0, 25.0}) disc(bmp, g.px(u), g.py(18.5), 1.3 * g.s, solid(ui::kWhite));
}

void warning(ui::Bitmap& bmp, int x, int y, int size) {
  const Grid g = grid(x, y, size);
  polygon(bmp, g.pts({{16, 1.5}, {31, 29}, {1, 29}}), solid(ui::rgb(150, 100, 0)));
  polygon(bmp, g.pts({{16, 4.5}, {28.5, 27.5}, {3.5, 27.5}}), vertical(g.rect(3, 4, 29, 28), ui::rgb(255, 238, 120), ui::rgb(246, 190, 20)));
  polygon(bmp, g.pts({{14.3, 11}, {17.7, 11}, {17, 21}, {15, 21}}), solid(ui::rgb(40, 30, 0)));
  disc(bmp, g.px(16), g.py(24.3), 1.9 * g.s, solid(ui::rgb(40, 30, 0)));
}

void document(ui::Bitmap& bmp, int x, int y, int size) {
  const Grid g = grid(x, y, size);
  polygon(bmp, g.pts({{6, 2}, {20, 2}, {27, 9}, {27, 30}, {6, 30}}), solid(ui::rgb(110, 130, 160)));
  polygon(bmp, g.pts({{7, 3}, {19.5, 3}, {26, 9.5}, {26, 29}, {7, 29}}), vertical(g.rect(7, 3, 26, 29), ui::kWhite, ui::rgb(220, 228, 240)));
  polygon(bmp, g.pts({{19.5, 3}, {26, 9.5}, {19.5, 9.5}}), solid(ui::rgb(180, 192, 212)));
  for (double u : {13.0, 17.0, 21.0, 25.0}) line(bmp, g.px(10), g.py(u), g.px(23), g.py(u), 1.2 * g.s, ui::rgb(150, 170, 200));
}

void globe(ui::Bitmap& bmp, int x, int y, int size, ui::Color sea) {
  const Grid g = grid(x, y, size);
  disc(bmp, g.px(16), g.py(16), 14 * g.s, vertical(g.rect(2, 2, 30, 30), lighten(sea, 0.5), darken(sea, 0.15)));
  const ui::Color land = ui::rgb(90, 180, 90);
  polygon(bmp, g.pts({{9, 7}, {15, 6}, {17, 11}, {13, 15}, {14, 21}, {10, 24}, {7, 17}, {5, 12}}), solid(land));
  polygon(bmp, g.pts({{20, 9}, {26, 11}, {27, 17}, {23, 24}, {20, 20}, {22, 15}}), solid(land));
  ring(bmp, g.px(16), g.py(16), 14 * g.s, 13 * g.s, darken(sea, 0.4));
}

void brokenPicture(ui::Bitmap& bmp, int x, int y, int size) {
  const Grid g = grid(x, y, size);
  const ui::Color frame = ui::rgb(124, 160, 208);
  roundRect(bmp, g.rect(2, 5, 30, 27), 2 * g.s, solid(frame));
  roundRect(bmp, g.rect(4, 7, 28, 25), 1 * g.s, vertical(g.rect(4, 7, 28, 25), ui::rgb(200, 224, 250), ui::rgb(160, 200, 240)));
  polygon(bmp, g.pts({{4, 25}, {12, 15}, {18, 21}, {22, 17}, {28, 25}}), solid(ui::rgb(110, 160, 110)));
  disc(bmp, g.px(22), g.py(23), 7 * g.s, solid(ui::rgb(200, 40, 40)));
  ring(bmp, g.px(22), g.py(23), 7 * g.s, 6 * g.s, ui::rgb(255, 235, 235));
  line(bmp, g.px(19), g.py(20), g.px(25), g.py(26), 2 * g.s, ui::kWhite);
  line(bmp, g.px(25), g.py(20), g.px(19), g.py(26), 2 * g.s, ui::kWhite);
}

void user(ui::Bitmap& bmp, int x, int y, int size) {
  const Grid g = grid(x, y, size);
  const ui::Color shirt = ui::rgb(80, 140, 220), skinTone = ui::rgb(250, 210, 170);
  polygon(bmp, g.pts({{5, 30}, {6, 22}, {11, 18}, {21, 18}, {26, 22}, {27, 30}}), vertical(g.rect(5, 18, 27, 30), lighten(shirt, 0.4), shirt));
  disc(bmp, g.px(16), g.py(11), 7 * g.s, vertical(g.rect(9, 4, 23, 18), ui::rgb(255, 230, 200), skinTone));
  polygon(bmp, g.pts({{9, 10}, {10, 5}, {16, 3}, {22, 5}, {23, 10}, {19, 7}, {13, 7}}), solid(ui::rgb(110, 70, 40)));
}

void broom(ui::Bitmap& bmp, int x, int y, int size) {
  const Grid g = grid(x, y, size);
  line(bmp, g.px(25), g.py(3), g.px(15), g.py(17), 2.4 * g.s, ui::rgb(150, 100, 50));
  polygon(bmp, g.pts({{12, 15}, {19, 20}, {14, 30}, {3, 29}, {4, 25}}), vertical(g.rect(3, 15, 19, 30), ui::rgb(250, 220, 110), ui::rgb(220, 170, 50)));
  for (double u : {6.0, 9.0, 12.0}) line(bmp, g.px(u + 4), g.py(21), g.px(u), g.py(29), 0.8 * g.s, ui::rgb(180, 130, 40));
}

}  // namespace skin::icons
