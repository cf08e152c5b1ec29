// Image buttons and links: the standard dialog button, the dashboard's large tool buttons, its
// browse button, the header links and the two large hot areas, in their normal, hover and
// pressed states.
#include <map>

#include "skin/icons.h"
#include "skin/layout.h"
#include "skin/look.h"
#include "skin/paint.h"
#include "skin/painters.h"
#include "skin/pixelfont.h"

namespace skin {
namespace {

using namespace look;
namespace L = layout;

enum class State { Normal = 1, Hover = 2, Pressed = 3 };

struct Face {
  ui::Color border, top, bottom;
};

Face faceFor(State s) {
  switch (s) {
    case State::Hover: return Face{ui::rgb(226, 146, 40), ui::rgb(255, 251, 238), ui::rgb(255, 218, 140)};
    case State::Pressed: return Face{darken(kFramePen, 0.2), ui::rgb(178, 198, 228), ui::rgb(226, 236, 249)};
    case State::Normal: break;
  }
  return Face{kFramePen, ui::rgb(250, 252, 255), ui::rgb(196, 214, 238)};
}

// A raised face on a flat ground; the pressed face sinks by a pixel and loses its shadow.
void face(ui::Bitmap& bmp, ui::Color ground, State s, double radius) {
  const int w = bmp.width(), h = bmp.height();
  fill(bmp, ui::Rect{0, 0, w, h}, ground);
  const Face f = faceFor(s);
  if (s != State::Pressed) roundRect(bmp, ui::Rect{1, 2, w, h}, radius, solid(ui::kBlack), 0.22);
  const ui::Rect r = s == State::Pressed ? ui::Rect{0, 1, w - 1, h} : ui::Rect{0, 0, w - 1, h - 1};
  roundPanel(bmp, r, radius, f.border, vertical(r, f.top, f.bottom));
  if (s != State::Pressed) {  // gloss on the upper half
    const ui::Rect gloss{r.left + 2, r.top + 2, r.right - 2, r.top + r.height() / 2};
    roundRect(bmp, gloss, radius - 2, solid(ui::kWhite), 0.35);
  }
}

int offsetFor(State s) { return s == State::Pressed ? 1 : 0; }

void standButton(ui::Bitmap& bmp, State s) { face(bmp, kBody, s, 6); }

void toolButton(ui::Bitmap& bmp, State s, void (*symbol)(ui::Bitmap&, int, int, int)) {
  face(bmp, kPanel, s, 8);
  const int size = 36, d = offsetFor(s);
  symbol(bmp, (bmp.width() - size) / 2 + d, (bmp.height() - size) / 2 + d, size);
}

void processSymbol(ui::Bitmap& bmp, int x, int y, int size) { icons::gear(bmp, x, y, size, ui::rgb(110, 150, 205)); }

void browseButton(ui::Bitmap& bmp, State s) {
  face(bmp, kPanel, s, 5);
  const int d = offsetFor(s);
  icons::folder(bmp, 8 + d, 4 + d, 18);
  drawText(bmp, 32 + d, 9 + d, "Open", TextStyle{kInk, 1, true});
}

// Links on the header band: the header's own rows behind white lettering that warms and
// underlines under the mouse.
void headerLink(ui::Bitmap& bmp, const std::string& text, State s) {
  const int w = bmp.width(), h = bmp.height();
  for (int y = 0; y < h; ++y)
    fill(bmp, ui::Rect{0, y, w, y + 1}, headerColor(L::main_form::kLinkTop + y, L::main_form::kHeader.height()));
  const bool hot = s != State::Normal;
  const TextStyle style{hot ? ui::rgb(255, 236, 160) : ui::kWhite, 1, true};
  const int x = (w - textWidth(text, style)) / 2, y = (h - kGlyphHeight) / 2;
  drawText(bmp, x + 1, y + 1, text, TextStyle{darken(kFramePen, 0.4), 1, true});
  drawText(bmp, x, y, text, style);
  if (hot) fill(bmp, ui::Rect{x, y + kGlyphHeight + 1, x + textWidth(text, style), y + kGlyphHeight + 2}, style.color);
}

void splitter(ui::Bitmap& bmp) {
  for (int y = 0; y < bmp.height(); ++y) {
    const ui::Color c = headerColor(L::main_form::kLinkTop + y, L::main_form::kHeader.height());
    const bool stroke = y >= 2 && y < bmp.height() - 2;
    bmp.setPixel(0, y, c);
    bmp.setPixel(1, y, stroke ? lighten(c, 0.45) : c);
    bmp.setPixel(2, y, stroke ? darken(c, 0.25) : c);
  }
}

}  // namespace

void toolTile(ui::Bitmap& bmp, const ui::Rect& r, Tile tile, bool hover) {
  fill(bmp, r, kPanel);
  const Face f = hover ? faceFor(State::Hover) : Face{kPanelEdge, ui::kWhite, ui::rgb(236, 242, 251)};
  const ui::Rect box{r.left, r.top, r.right - 1, r.bottom - 1};
  if (hover) roundRect(bmp, ui::Rect{box.left + 1, box.top + 2, box.right + 1, box.bottom + 1}, 8, solid(ui::kBlack), 0.2);
  roundPanel(bmp, box, 8, f.border, vertical(box, f.top, f.bottom));
  const int cx = r.left + r.width() / 2;
  if (tile == Tile::Software) icons::computer(bmp, cx - 18, r.top + 7, 36);
  else icons::bubbles(bmp, cx - 18, r.top + 7, 36);
  const std::string text = tile == Tile::Software ? "System info" : "Ask the forum";
  const TextStyle style{hover ? ui::rgb(150, 70, 0) : kInk, 1, true};
  drawText(bmp, cx - textWidth(text, style) / 2, r.top + 50, text, style);
}

bool paintButton(const std::string& name, ui::Bitmap& bmp) {
  const ui::Rect whole{0, 0, bmp.width(), bmp.height()};
  if (name == "software" || name == "hardware") {
    toolTile(bmp, whole, name == "software" ? Tile::Software : Tile::Hardware, true);
    return true;
  }
  if (name == "splitter") {
    splitter(bmp);
    return true;
  }
  const size_t cut = name.rfind('_');
  if (cut == std::string::npos || cut + 2 != name.size() || name[cut + 1] < '1' || name[cut + 1] > '3') return false;
  const std::string base = name.substr(0, cut);
  const State s = static_cast<State>(name[cut + 1] - '0');

  static const std::map<std::string, std::string> links = {
      {"qex_today", "QEX Today"}, {"freeware", "Freeware"}, {"online", "Who's online"}, {"reg", "Register"},
      {"login", "Log in"},        {"profile", "Profile"},   {"chat", "Chat"},           {"logout", "Log out"}};
  if (base == "stand_btn") standButton(bmp, s);
  else if (base == "delete_btn") toolButton(bmp, s, icons::bin);
  else if (base == "reg_btn") toolButton(bmp, s, icons::blocks);
  else if (base == "run_btn") toolButton(bmp, s, processSymbol);
  else if (base == "browse") browseButton(bmp, s);
  else if (links.count(base)) headerLink(bmp, links.at(base), s);
  else return false;
  return true;
}

}  // namespace skin
