// Drawing on a bitmap: the operations the program's own pictures are made of.
#pragma once

#include <string>

#include "ui/bitmap.h"
#include "ui/font.h"

namespace ui {

class Canvas {
 public:
  explicit Canvas(Bitmap& target, TextRenderer* text = nullptr) : bmp_(target), text_(text) {}

  Bitmap& bitmap() { return bmp_; }
  // Drawing changes only the pixels inside the clip rectangle; the whole bitmap by default.
  const Rect& clip() const { return clip_; }
  void setClip(const Rect& r) { clip_ = r; }
  // The part of r that drawing may change: inside the clip and the bitmap.
  Rect clipped(const Rect& r) const;
  Color brush = kWhite;
  Color pen = kBlack;
  Font font;

  void fillRect(const Rect& r);                        // with the brush
  void frameRect(const Rect& r);                       // one-pixel outline with the pen
  void roundRect(const Rect& r, int ellipseW, int ellipseH);  // brush inside, pen outline
  // Copies src with its top-left at (x, y); a transparent src skips its transparent colour.
  void draw(int x, int y, const Bitmap& src) { draw(x, y, src, Rect{0, 0, bmp_.width(), bmp_.height()}, src.transparent); }
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
  Rect clip_{0, 0, Bitmap::kMaxSide, Bitmap::kMaxSide};
};

}  // namespace ui
