#include "ui/control.h"

#include <algorithm>

#include "ui/application.h"
#include "ui/form.h"

namespace ui {

Control::Control(Form& owner, std::string name, Rect bounds)
    : form_(owner), name_(std::move(name)), bounds_(bounds) {
  form_.add(*this);
}

Control::~Control() { form_.remove(*this); }

bool Control::setBounds(const Rect& r) {
  if (r == bounds_) return false;
  if (!windowed()) form_.areaChanged(bounds_);
  bounds_ = r;
  changed();
  return true;
}

void Control::setVisible(bool v) {
  if (v == visible_) return;
  visible_ = v;
  changed();
}

void Control::setEnabled(bool e) {
  if (e == enabled_) return;
  enabled_ = e;
  changed();
}

bool Control::showing() const {
  for (const Control* c = this; c; c = c->parent)
    if (!c->visible_) return false;
  return true;
}

void Control::changed() { form_.controlChanged(*this); }

const char* cursorName(Cursor c) {
  switch (c) {
    case Cursor::Hand: return "hand";
    case Cursor::Hourglass: return "hourglass";
    case Cursor::Default: break;
  }
  return "default";
}

std::optional<std::string> Control::property(const std::string& name) const {
  if (name == "visible") return std::string(visible_ ? "1" : "0");
  if (name == "enabled") return std::string(enabled_ ? "1" : "0");
  if (name == "left") return std::to_string(bounds_.left);
  if (name == "top") return std::to_string(bounds_.top);
  if (name == "width") return std::to_string(width());
  if (name == "height") return std::to_string(height());
  if (name == "cursor") return std::string(cursorName(cursor));
  if (name == "hint") return hint;
  return std::nullopt;
}

Label::Label(Form& owner, std::string name, Rect bounds, std::string caption)
    : Control(owner, std::move(name), bounds), caption_(std::move(caption)), font_(owner.font) {
  refit();
}

void Label::setCaption(const std::string& c) {
  if (c == caption_) return;
  caption_ = c;
  refit();
}

void Label::setFont(const Font& f) {
  if (f == font_) return;
  font_ = f;
  refit();
}

void Label::setUnderline(bool u) {
  Font f = font_;
  f.underline = u;
  setFont(f);
}

void Label::setColor(Color c) {
  if (c == color_) return;
  color_ = c;
  changed();
}

void Label::setTransparent(bool t) {
  if (t == transparent_) return;
  transparent_ = t;
  changed();
}

void Label::setWordWrap(bool w) {
  if (w == wordWrap_) return;
  wordWrap_ = w;
  refit();
}

void Label::setAutoSize(bool a) {
  if (a == autoSize_) return;
  autoSize_ = a;
  refit();
}

void Label::setAlignment(Align a) {
  if (a == alignment_) return;
  alignment_ = a;
  refit();
}

// The right edge stays put for right-aligned labels, as the framework keeps it.
// A new size repaints both areas already; the same size repaints the text.
void Label::refit() {
  if (autoSize_ && !wordWrap_) {
    const Size s = form().application().text().measure(font_, caption_);
    Rect r = bounds();
    if (alignment_ == Align::Right && r.width() > 0) r.left = r.right - s.width;
    r.right = r.left + s.width;
    r.bottom = r.top + s.height;
    if (Control::setBounds(r)) return;
  }
  changed();
}

void Label::paint(Canvas& canvas) {
  if (!transparent_) {
    canvas.brush = color_;
    canvas.fillRect(bounds());
  }
  canvas.font = font_;
  const std::string& text = caption_;
  if (!enabled()) {
    // Disabled text is engraved: a white copy one pixel down and to the right under grey.
    const Rect& r = bounds();
    canvas.font.color = kWhite;
    canvas.textRect(Rect{r.left + 1, r.top + 1, r.right + 1, r.bottom + 1}, text, alignment_, wordWrap_);
    canvas.font.color = kGray;
  }
  canvas.textRect(bounds(), text, alignment_, wordWrap_);
}

std::optional<std::string> Label::property(const std::string& name) const {
  if (name == "caption") return caption_;
  if (name == "underline") return std::string(font_.underline ? "1" : "0");
  return Control::property(name);
}

Image::Image(Form& owner, std::string name, Rect bounds) : Control(owner, std::move(name), bounds) {}

void Image::setPicture(const Bitmap& b, const std::string& name) {
  picture_ = b;
  pictureName_ = name;
  if (!fitPicture()) changed();
}

bool Image::fitPicture() {
  if (!autoSize_ || picture_.empty()) return false;
  Rect r = bounds();
  r.right = r.left + picture_.width();
  r.bottom = r.top + picture_.height();
  return Control::setBounds(r);
}

void Image::setTransparent(bool t) {
  if (t == transparent_) return;
  transparent_ = t;
  changed();
}

void Image::setStretch(bool s) {
  if (s == stretch_) return;
  stretch_ = s;
  changed();
}

void Image::setAutoSize(bool a) {
  if (a == autoSize_) return;
  autoSize_ = a;
  if (!fitPicture()) changed();
}

void Image::setCenter(bool c) {
  if (c == center_) return;
  center_ = c;
  changed();
}

void Image::clearPicture() {
  if (picture_.empty() && pictureName_.empty()) return;
  picture_.clear();
  pictureName_.clear();
  changed();
}

void Image::paint(Canvas& canvas) {
  if (picture_.empty()) return;
  const bool see = transparent_ || picture_.transparent;
  if (stretch_) return canvas.stretchDraw(bounds(), picture_, see);
  int x = left(), y = top();
  if (center_) {
    x += (width() - picture_.width()) / 2;
    y += (height() - picture_.height()) / 2;
  }
  canvas.draw(x, y, picture_, bounds(), see);
}

std::optional<std::string> Image::property(const std::string& name) const {
  if (name == "picture") return pictureName_;
  return Control::property(name);
}

Shape::Shape(Form& owner, std::string name, Rect bounds, ShapeKind k)
    : Control(owner, std::move(name), bounds), kind_(k) {}

void Shape::setColors(Color brush, Color pen) {
  if (brush == brush_ && pen == pen_) return;
  brush_ = brush;
  pen_ = pen;
  changed();
}

void Shape::paint(Canvas& canvas) {
  canvas.brush = brush_;
  canvas.pen = pen_;
  if (kind_ == ShapeKind::RoundRect) {
    // The framework's rounded rectangle: corners a quarter of the smaller side.
    const int e = std::min(width(), height()) / 4;
    canvas.roundRect(bounds(), e, e);
  } else {
    canvas.fillRect(bounds());
    canvas.frameRect(bounds());
  }
}

Panel::Panel(Form& owner, std::string name, Rect bounds) : Control(owner, std::move(name), bounds) {}

void Panel::setColor(Color c) {
  if (c == color_) return;
  color_ = c;
  changed();
}

void Panel::paint(Canvas& canvas) {
  canvas.brush = color_;
  canvas.fillRect(bounds());
}

}  // namespace ui
