#include "ui/win32/gdi_text.h"

#include <algorithm>
#include <cstring>

namespace ui::win32 {

namespace {

// GDI takes lengths as int; longer text than this is cut rather than overflowing.
constexpr size_t kMaxText = 1 << 20;

int textLength(const std::string& text) { return static_cast<int>(std::min(text.size(), kMaxText)); }

}  // namespace

GdiText::GdiText()
    : dc_(CreateCompatibleDC(nullptr)),
      originalFont_(GetCurrentObject(dc_.get(), OBJ_FONT)),
      originalBitmap_(GetCurrentObject(dc_.get(), OBJ_BITMAP)) {
  SetBkMode(dc_.get(), TRANSPARENT);
}

GdiText::~GdiText() {
  // Our font and picture go back out before they are deleted.
  SelectObject(dc_.get(), originalBitmap_);
  SelectObject(dc_.get(), originalFont_);
}

void GdiText::use(HFONT font) {
  if (font == selected_) return;
  SelectObject(dc_.get(), font);
  selected_ = font;
}

HFONT GdiText::font(const Font& f) {
  Key key{f.name, f.height, f.bold, f.underline};
  auto it = fonts_.find(key);
  if (it != fonts_.end()) return it->second.get();
  // A negative height asks for the character height, as the model's fonts give it.
  HFONT h = CreateFontA(-std::max(f.height, 1), 0, 0, 0, f.bold ? FW_BOLD : FW_NORMAL, FALSE,
                        f.underline ? TRUE : FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                        f.name.substr(0, LF_FACESIZE - 1).c_str());
  if (!h) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  return fonts_.emplace(std::move(key), GdiPtr<HFONT>(h)).first->second.get();
}

Size GdiText::measure(const Font& f, const std::string& text) {
  use(font(f));
  TEXTMETRICA tm{};
  GetTextMetricsA(dc_.get(), &tm);
  int widest = 0, lines = 0;
  size_t start = 0;
  const std::string bounded = text.substr(0, kMaxText);
  while (true) {
    const size_t end = bounded.find('\n', start);
    std::string line = bounded.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    SIZE s{};
    if (!line.empty() && GetTextExtentPoint32A(dc_.get(), line.data(), textLength(line), &s))
      widest = std::max<int>(widest, s.cx);
    ++lines;
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return Size{widest, static_cast<int>(tm.tmHeight) * lines};
}

void GdiText::draw(Bitmap& target, const Rect& layout, const Rect& clip, const Font& f, const std::string& text,
                   Align align, bool wrap) {
  const Rect area{std::max({layout.left, clip.left, 0}), std::max({layout.top, clip.top, 0}),
                  std::min({layout.right, clip.right, target.width()}),
                  std::min({layout.bottom, clip.bottom, target.height()})};
  if (area.empty() || text.empty()) return;
  // A picture selected into a context cannot be deleted, and a larger one replaces it.
  const bool grows = area.width() > scratch_.width() || area.height() > scratch_.height();
  if (grows) SelectObject(dc_.get(), originalBitmap_);
  if (!scratch_.reserve(area.width(), area.height())) return;
  if (grows) SelectObject(dc_.get(), scratch_.handle());
  const size_t rowBytes = static_cast<size_t>(area.width()) * sizeof(uint32_t);
  for (int y = 0; y < area.height(); ++y)
    std::memcpy(scratch_.row(y), target.row(area.top + y) + area.left, rowBytes);
  use(font(f));
  SetTextColor(dc_.get(), colorRef(f.color));
  // Laid out in the whole rectangle, so alignment and wrapping do not depend on the clipping.
  RECT rc{layout.left - area.left, layout.top - area.top, layout.right - area.left, layout.bottom - area.top};
  UINT flags = DT_NOPREFIX | (wrap ? DT_WORDBREAK : 0);
  flags |= align == Align::Center ? DT_CENTER : align == Align::Right ? DT_RIGHT : DT_LEFT;
  DrawTextA(dc_.get(), text.data(), textLength(text), &rc, flags);
  GdiFlush();
  for (int y = 0; y < area.height(); ++y) {
    uint32_t* d = target.row(area.top + y) + area.left;
    const uint32_t* s = scratch_.row(y);
    for (int x = 0; x < area.width(); ++x) d[x] = s[x] & 0xFFFFFF;
  }
}

}  // namespace ui::win32
