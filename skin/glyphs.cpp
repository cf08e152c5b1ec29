// Small single pictures: number glyphs, badges, the memory bar, the news window's arrow and
// placeholder symbol, and the symbols of the result lists and scan counters.
#include <map>

#include "skin/icons.h"
#include "skin/look.h"
#include "skin/paint.h"
#include "skin/painters.h"
#include "skin/pixelfont.h"

namespace skin {
namespace {

using namespace look;

void whole(ui::Bitmap& bmp, ui::Color c) { fill(bmp, ui::Rect{0, 0, bmp.width(), bmp.height()}, c); }

// Digits and the unit sit on the dashboard's white panel, dark ink in the top-left 5 × 7 of
// each cell, so neighbouring cells keep a column and a row of space between them.
void glyph(ui::Bitmap& bmp, const std::string& text) {
  whole(bmp, kPanel);
  drawText(bmp, 0, 0, text, TextStyle{kInk, 1, false});
}

void windowsLogo(ui::Bitmap& bmp, int x, int y) {
  const ui::Color panes[4] = {ui::rgb(250, 110, 70), ui::rgb(120, 200, 80), ui::rgb(90, 160, 240), ui::rgb(255, 210, 60)};
  for (int i = 0; i < 4; ++i) {
    const int px = x + (i % 2) * 5, py = y + (i / 2) * 5;
    fill(bmp, ui::Rect{px, py, px + 4, py + 4}, panes[i]);
  }
}

// A rounded label on the white panel; `symbol` draws at the left, the text fills the rest.
template <typename Symbol>
void badge(ui::Bitmap& bmp, const std::string& text, ui::Color color, Symbol symbol) {
  whole(bmp, kPanel);
  const ui::Rect r{0, 0, bmp.width(), bmp.height()};
  roundPanel(bmp, r, 5, darken(color, 0.3), vertical(r, lighten(color, 0.35), darken(color, 0.1)));
  roundRect(bmp, ui::Rect{2, 2, r.right - 2, r.bottom / 2}, 3, solid(ui::kWhite), 0.25);
  const int left = symbol(bmp);
  const TextStyle style{ui::kWhite, 1, true};
  const int x = left + (bmp.width() - left - textWidth(text, style)) / 2, y = (bmp.height() - kGlyphHeight) / 2;
  drawText(bmp, x + 1, y + 1, text, TextStyle{darken(color, 0.45), 1, true});
  drawText(bmp, x, y, text, style);
}

void osBadge(ui::Bitmap& bmp, const std::string& text, ui::Color color) {
  badge(bmp, text, color, [](ui::Bitmap& b) {
    windowsLogo(b, 5, (b.height() - 9) / 2);
    return 14;
  });
}

void connection(ui::Bitmap& bmp, bool online) {
  const ui::Color color = online ? ui::rgb(60, 160, 80) : ui::rgb(150, 150, 160);
  badge(bmp, online ? "online" : "offline", color, [online](ui::Bitmap& b) {
    const double cy = b.height() / 2.0;
    disc(b, 9, cy, 4, solid(ui::rgb(30, 60, 30)));
    disc(b, 9, cy, 3, solid(online ? ui::rgb(160, 255, 140) : ui::rgb(230, 90, 80)));
    return 14;
  });
}

void browser(ui::Bitmap& bmp, const std::string& text, ui::Color sea) {
  badge(bmp, text, ui::rgb(90, 120, 170), [sea](ui::Bitmap& b) {
    icons::globe(b, 2, (b.height() - 14) / 2, 14, sea);
    return 16;
  });
}

void memoryBar(ui::Bitmap& bmp, ui::Color top, ui::Color bottom) {
  const int w = bmp.width(), h = bmp.height();
  verticalGradient(bmp, ui::Rect{0, 0, w, h}, top, bottom);
  fill(bmp, ui::Rect{0, 0, w, 1}, darken(top, 0.2));
  fill(bmp, ui::Rect{0, h - 1, w, h}, darken(bottom, 0.3));
  fill(bmp, ui::Rect{0, 1, w, 2}, lighten(top, 0.5));
}

// Transparent by its bottom-left pixel, so that corner stays ground.
void arrow(ui::Bitmap& bmp) {
  whole(bmp, kSidebar);
  const char* rows[] = {".....", ".#...", ".##..", ".###.", ".##..", ".#...", "....."};
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 5; ++x)
      if (rows[y][x] == '#') bmp.setPixel(x, y, kAccent);
}

void flagged(ui::Bitmap& bmp, void (*symbol)(ui::Bitmap&, int, int, int)) {
  whole(bmp, kBody);
  symbol(bmp, 0, 0, bmp.width() - 4);
  icons::warning(bmp, bmp.width() - 13, bmp.height() - 12, 13);
}

}  // namespace

void memoryTrough(ui::Bitmap& bmp, const ui::Rect& r) {
  fill(bmp, r, kBarPen);
  verticalGradient(bmp, ui::Rect{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, ui::rgb(214, 224, 238), ui::rgb(244, 247, 252));
}

bool paintGlyph(const std::string& name, ui::Bitmap& bmp) {
  if (name.size() == 7 && name.compare(0, 6, "digit_") == 0 && name[6] >= '0' && name[6] <= '9') {
    glyph(bmp, name.substr(6));
    return true;
  }
  static const std::map<std::string, ui::Color> systems = {{"os_xp", ui::rgb(60, 150, 80)},
                                                           {"os_2000", ui::rgb(60, 110, 190)},
                                                           {"os_me", ui::rgb(40, 140, 150)},
                                                           {"os_98", ui::rgb(100, 110, 150)}};
  if (const auto it = systems.find(name); it != systems.end()) {
    osBadge(bmp, name.substr(3) == "xp" ? "XP" : name.substr(3) == "me" ? "ME" : name.substr(3), it->second);
    return true;
  }
  if (name == "mb" || name == "gb") glyph(bmp, name);
  else if (name == "online" || name == "offline") connection(bmp, name == "online");
  else if (name == "browser_ie") browser(bmp, "IE", ui::rgb(70, 140, 230));
  else if (name == "browser_mo") browser(bmp, "MO", ui::rgb(230, 120, 40));
  else if (name == "ram_bar") memoryTrough(bmp, ui::Rect{0, 0, bmp.width(), bmp.height()});
  else if (name == "mem_1") memoryBar(bmp, ui::rgb(120, 180, 245), kFramePen);
  else if (name == "mem_2") memoryBar(bmp, ui::rgb(255, 214, 110), ui::rgb(220, 140, 20));
  else if (name == "mem_3") memoryBar(bmp, ui::rgb(250, 130, 110), ui::rgb(190, 40, 30));
  else if (name == "arrow") arrow(bmp);
  else if (name == "error") {
    whole(bmp, ui::kWhite);  // the placeholder is drawn on white and keyed on it
    icons::brokenPicture(bmp, 0, 0, bmp.width());
  } else if (name == "list_warning") {
    whole(bmp, kListBack);
    icons::warning(bmp, 0, 0, bmp.width());
  } else if (name == "detect_file") flagged(bmp, icons::document);
  else if (name == "detect_reg") flagged(bmp, icons::blocks);
  else return false;
  return true;
}

}  // namespace skin
