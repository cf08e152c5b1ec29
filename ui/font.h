// Fonts as the forms describe them: a face, a size and styles.
#pragma once

#include <string>

#include "ui/bitmap.h"

namespace ui {

struct Font {
  std::string name = "Verdana";
  // Character height in pixels. Sizes given in points are converted at 96 dots per inch.
  int height = 11;
  bool bold = false;
  bool underline = false;
  Color color = kBlack;

  static int pointsToPixels(int points) { return (points * 96 + 36) / 72; }
  static Font points(const std::string& name, int pt, bool bold = false, Color c = kBlack) {
    Font f;
    f.name = name;
    f.height = pointsToPixels(pt);
    f.bold = bold;
    f.color = c;
    return f;
  }
  static Font pixels(const std::string& name, int px, bool bold = false, Color c = kBlack) {
    Font f;
    f.name = name;
    f.height = px;
    f.bold = bold;
    f.color = c;
    return f;
  }
  bool operator==(const Font& o) const {
    return name == o.name && height == o.height && bold == o.bold && underline == o.underline &&
           color == o.color;
  }
};

enum class Align { Left, Center, Right };

// Draws and measures text. The headless backend uses a fixed metric; the Win32 backend uses
// the system's fonts.
class TextRenderer {
 public:
  virtual ~TextRenderer() = default;
  virtual Size measure(const Font& font, const std::string& text) = 0;
  // Draws text laid out in the layout rectangle into the bitmap, changing no pixel outside the
  // clip rectangle or the layout rectangle; wrap breaks lines at word ends.
  virtual void draw(Bitmap& target, const Rect& layout, const Rect& clip, const Font& font,
                    const std::string& text, Align align, bool wrap) = 0;
};

}  // namespace ui
