// Drawing on a bitmap: the operations the program's own pictures are made of.
#pragma once

#include <string>

#include "ui/bitmap.h"
#include "ui/font.h"

namespace ui {

// Coordinates are a window's: the target holds the part of the window whose top-left corner is
// at (originX, originY), so that a painting of a small area needs a picture of that area only.
class Canvas {
 public:
  explicit Canvas(Bitmap& target, TextRenderer* text = nullptr, int originX = 0, int originY = 0)
      : bmp_(target), text_(text), ox_(originX), oy_(originY) {}

  Bitmap& bitmap() { return bmp_; }
  int originX() const { return ox_; }
  int originY() const { return oy_; }
  // Drawing changes only the pixels inside the clip rectangle; the whole bitmap by default.
  const Rect& clip() const { return clip_; }
  void setClip(const Rect& r) { clip_ = r; }
  // The part of r that drawing may change: inside the clip and the target.
  Rect clipped(const Rect& r) const;
  Color brush = kWhite;
  Color pen = kBlack;
  Font font;

  void fillRect(const Rect& r);                        // with the brush
  void frameRect(const Rect& r);                       // one-pixel outline with the pen
  void roundRect(const Rect& r, int ellipseW, int ellipseH);  // brush inside, pen outline
  // Copies src with its top-left at (x, y); a transparent src skips its transparent colour.
  void draw(int x, int y, const Bitmap& src) { draw(x, y, src, Rect{x, y, x + src.width(), y + src.height()}, src.transparent); }
  // The same, clipped to a rectangle of the target, with transparency chosen by the caller.
  void draw(int x, int y, const Bitmap& src, const Rect& clip, bool transparent);
  // Scales src into the rectangle (nearest neighbour), honouring transparency like draw().
  void stretchDraw(const Rect& r, const Bitmap& src) { stretchDraw(r, src, src.transparent); }
  void stretchDraw(const Rect& r, const Bitmap& src, bool transparent);
  void textOut(int x, int y, const std::string& text);
  void textRect(const Rect& r, const std::string& text, Align align, bool wrap);
  Size textExtent(const std::string& text);

 private:
  Bitmap& bmp_;
  TextRenderer* text_;
  int ox_, oy_;
  Rect clip_{-Bitmap::kMaxSide, -Bitmap::kMaxSide, Bitmap::kMaxSide, Bitmap::kMaxSide};
  uint32_t* at(int x, int y) { return bmp_.row(y - oy_) + (x - ox_); }
  Rect local(const Rect& r) const { return Rect{r.left - ox_, r.top - oy_, r.right - ox_, r.bottom - oy_}; }
};

}  // namespace ui
