// Text drawn and measured with the system's fonts. Fonts are made once per face, height and
// style and kept for the whole run; colour is applied when drawing.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <tuple>

#include "ui/font.h"
#include "ui/win32/dib.h"
#include "ui/win32/handles.h"

namespace ui::win32 {

class GdiText : public TextRenderer {
 public:
  GdiText();
  ~GdiText() override;
  GdiText(const GdiText&) = delete;
  GdiText& operator=(const GdiText&) = delete;
  Size measure(const Font& font, const std::string& text) override;
  void draw(Bitmap& target, const Rect& layout, const Rect& clip, const Font& font, const std::string& text,
            Align align, bool wrap) override;
  // The cached font handle; owned here, valid for the renderer's life.
  HFONT font(const Font& font);

 private:
  using Key = std::tuple<std::string, int, bool, bool>;
  // The font and the picture stay selected between calls and change only when another is
  // needed: under Wine every selection of a font reads the X resource settings anew.
  void use(HFONT font);
  DcPtr dc_;
  HGDIOBJ originalFont_ = nullptr, originalBitmap_ = nullptr;
  HFONT selected_ = nullptr;
  std::map<Key, GdiPtr<HFONT>> fonts_;
  // Text is drawn on a copy of the target's pixels, then copied back.
  Dib scratch_;
};

}  // namespace ui::win32
