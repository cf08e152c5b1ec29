// Drawing primitives of the skin beyond ui::Canvas: gradients and shapes with smoothed edges,
// blended onto what is already in the bitmap.
#pragma once

#include <functional>
#include <utility>
#include <vector>

#include "ui/bitmap.h"

namespace skin {

constexpr double kPi = 3.14159265358979323846;

// t = 0 gives a, t = 1 gives b.
ui::Color mix(ui::Color a, ui::Color b, double t);
ui::Color lighten(ui::Color c, double t);
ui::Color darken(ui::Color c, double t);

void fill(ui::Bitmap& bmp, const ui::Rect& r, ui::Color c);
void verticalGradient(ui::Bitmap& bmp, const ui::Rect& r, ui::Color top, ui::Color bottom);
void horizontalGradient(ui::Bitmap& bmp, const ui::Rect& r, ui::Color left, ui::Color right);

// Colour of a shape at a pixel; lets one shape carry a gradient.
using Shader = std::function<ui::Color(int x, int y)>;
Shader solid(ui::Color c);
Shader vertical(const ui::Rect& r, ui::Color top, ui::Color bottom);

// Paints every pixel of the box that the shape covers, partly covered edge pixels blended by
// their coverage. `inside` takes continuous coordinates (pixel centres at +0.5).
void paintShape(ui::Bitmap& bmp, const ui::Rect& box, const std::function<bool(double, double)>& inside,
                const Shader& shader, double opacity = 1.0);

void roundRect(ui::Bitmap& bmp, const ui::Rect& r, double radius, const Shader& shader, double opacity = 1.0);
// A rounded panel: a one-pixel border in `border`, the inside painted by `inner`.
void roundPanel(ui::Bitmap& bmp, const ui::Rect& r, double radius, ui::Color border, const Shader& inner);
void disc(ui::Bitmap& bmp, double cx, double cy, double radius, const Shader& shader, double opacity = 1.0);
void ring(ui::Bitmap& bmp, double cx, double cy, double outer, double inner, ui::Color c);
using Points = std::vector<std::pair<double, double>>;
void polygon(ui::Bitmap& bmp, const Points& points, const Shader& shader, double opacity = 1.0);
// A straight stroke of the given width with round ends.
void line(ui::Bitmap& bmp, double x0, double y0, double x1, double y1, double width, ui::Color c);

}  // namespace skin
