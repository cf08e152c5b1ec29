#include "ui/form.h"

#include <algorithm>

#include "ui/application.h"
#include "ui/windowed.h"

namespace ui {

namespace {

// What a graphic control may paint: its bounds and the pixel beside them that a disabled
// label's engraved copy reaches.
Rect paintedArea(const Rect& bounds) { return Rect{bounds.left, bounds.top, bounds.right + 1, bounds.bottom + 1}; }

}  // namespace

Form::Form(Application& app, std::string className, std::string name, int clientWidth, int clientHeight)
    : app_(app), className_(std::move(className)), name_(std::move(name)), clientWidth_(clientWidth),
      clientHeight_(clientHeight) {
  app_.addForm(*this);
  app_.backend().formCreated(*this);
}

Form::~Form() {
  app_.backend().formDestroyed(*this);
  app_.removeForm(*this);
}

void Form::setCaption(const std::string& c) {
  if (c == caption_) return;
  caption_ = c;
  app_.backend().formChanged(*this, FormChange::Caption);
}

void Form::setClientSize(int w, int h) {
  clientWidth_ = w;
  clientHeight_ = h;
  app_.backend().formChanged(*this, FormChange::Geometry);
}

void Form::setPosition(int left, int top) {
  left_ = left;
  top_ = top;
  centred_ = false;
  app_.backend().formChanged(*this, FormChange::Geometry);
}

bool Form::layeredSupported() const { return app_.backend().layeredSupported(); }

void Form::setLayered(bool on) {
  if (on == layered_) return;
  layered_ = on;
  if (!on) alpha_ = 255;
  app_.backend().formChanged(*this, FormChange::Layered);
}

void Form::setAlpha(uint8_t a) {
  if (a == alpha_) return;
  alpha_ = a;
  if (layered_) app_.backend().formChanged(*this, FormChange::Layered);
}

void Form::show() {
  if (visible_) {
    bringToFront();
    return;
  }
  visible_ = true;
  app_.guard([this] {
    FormShow();
  });
  // A handler may have hidden the window again while it was being shown.
  if (visible_) app_.backend().formChanged(*this, FormChange::Visible);
}

void Form::showModal() {
  modal_ = true;
  show();
  if (visible_) app_.backend().runModal(*this);
}

void Form::hide() {
  modal_ = false;
  if (!visible_) return;
  visible_ = false;
  capture_ = pressed_ = nullptr;
  app_.backend().formChanged(*this, FormChange::Visible);
  app_.guard([this] { FormHide(); });
}

void Form::close() {
  if (closing_) return;
  closing_ = true;
  bool ok = true;
  CloseAction action = CloseAction::Hide;
  app_.guard([&] {
    ok = FormCloseQuery();
    if (ok) FormClose(action);
  });
  closing_ = false;
  if (ok && action == CloseAction::Hide) hide();
}

bool Form::dialogKey(int key) {
  if (key != kKeyReturn && key != kKeyEscape) return false;
  app_.guard([&] { key == kKeyEscape ? FormEscape() : FormEnter(); });
  return true;
}

void Form::bringToFront() { app_.backend().formChanged(*this, FormChange::Foreground); }

void Form::invalidate() { app_.backend().invalidate(*this); }

void Form::removeSystemMenuItem(int command) {
  systemMenu_.push_back(SystemMenuItem{-command, {}});
  app_.backend().formChanged(*this, FormChange::SystemMenu);
}

void Form::appendSystemMenuItem(int id, const std::string& caption) {
  systemMenu_.push_back(SystemMenuItem{id, caption});
  app_.backend().formChanged(*this, FormChange::SystemMenu);
}

void Form::paintClient(Canvas& canvas) {
  canvas.brush = color;
  canvas.fillRect(Rect{0, 0, clientWidth_, clientHeight_});
  app_.guard([&] { FormPaint(canvas); });
  const Rect& clip = canvas.clip();
  for (Control* c : controls_) {
    if (c->windowed() || !c->showing()) continue;
    const Rect r = paintedArea(c->bounds());
    if (r.right > clip.left && r.left < clip.right && r.bottom > clip.top && r.top < clip.bottom) c->paint(canvas);
  }
}

Control* Form::controlAt(int x, int y) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    Control* c = *it;
    if (!c->windowed() && c->showing() && c->enabled() && c->bounds().contains(x, y)) return c;
  }
  return nullptr;
}

void Form::mouseMove(int x, int y) {
  Control* target = capture_ ? capture_ : controlAt(x, y);
  if (!target) {
    app_.guard([&] { FormMouseMove(x, y); });
    return;
  }
  if (target->onMouseMove) app_.guard([&] { target->onMouseMove(x - target->left(), y - target->top()); });
}

void Form::mouseDown(int x, int y) {
  Control* target = controlAt(x, y);
  if (!target) return;
  capture_ = pressed_ = target;
  if (target->onMouseDown) app_.guard([&] { target->onMouseDown(x - target->left(), y - target->top()); });
}

void Form::mouseUp(int x, int y) {
  Control* target = capture_ ? capture_ : controlAt(x, y);
  Control* pressed = pressed_;
  capture_ = pressed_ = nullptr;
  if (!target) return;
  if (target->onMouseUp) app_.guard([&] { target->onMouseUp(x - target->left(), y - target->top()); });
  // A click needs the button released over the control it went down on.
  if (pressed == target && target->showing() && target->enabled() && target->bounds().contains(x, y) &&
      target->onClick)
    app_.guard(target->onClick);
}

void Form::doubleClick(int x, int y) {
  Control* target = controlAt(x, y);
  if (!target) return;
  capture_ = target;
  pressed_ = nullptr;  // the release after a double click is not another click
  if (target->onDblClick) app_.guard(target->onDblClick);
  if (target->onMouseDown) app_.guard([&] { target->onMouseDown(x - target->left(), y - target->top()); });
}

void Form::mouseWheel(int x, int y, int delta) {
  app_.guard([&] { FormMouseWheel(x, y, delta); });
}

Cursor Form::cursorAt(int x, int y) const {
  if (app_.screenCursor() != Cursor::Default) return app_.screenCursor();
  const Control* c = capture_ ? capture_ : controlAt(x, y);
  return c && c->cursor != Cursor::Default ? c->cursor : cursor;
}

void Form::contextMenu(Control& c, int screenX, int screenY) {
  app_.guard([&c] { c.contextPopup(); });
  if (c.popupMenu) c.popupMenu->popup(screenX, screenY);
}

Control* Form::findControl(const std::string& name) const {
  for (Control* c : controls_)
    if (c->name() == name) return c;
  return nullptr;
}

Timer* Form::findTimer(const std::string& name) const {
  for (Timer* t : timers_)
    if (t->name() == name) return t;
  return nullptr;
}

PopupMenu* Form::findMenu(const std::string& name) const {
  for (PopupMenu* m : menus_)
    if (m->name() == name) return m;
  return nullptr;
}

std::optional<std::string> Form::property(const std::string& name) const {
  if (name == "visible") return std::string(visible_ ? "1" : "0");
  if (name == "caption") return caption_;
  if (name == "left") return std::to_string(left_);
  if (name == "top") return std::to_string(top_);
  if (name == "width") return std::to_string(clientWidth_);
  if (name == "height") return std::to_string(clientHeight_);
  if (name == "alpha") return std::to_string(layered_ ? alpha_ : 255);
  if (name == "modal") return std::string(modal_ ? "1" : "0");
  if (name == "cursor") return std::string(cursorName(cursor));
  return std::nullopt;
}

template <typename T>
static void erase(std::vector<T*>& v, T* item) {
  v.erase(std::remove(v.begin(), v.end(), item), v.end());
}

void Form::add(Control& c) { controls_.push_back(&c); }
void Form::remove(Control& c) {
  if (capture_ == &c) capture_ = nullptr;
  if (pressed_ == &c) pressed_ = nullptr;
  erase(controls_, &c);
}
void Form::add(Timer& t) { timers_.push_back(&t); }
void Form::remove(Timer& t) { erase(timers_, &t); }
void Form::add(PopupMenu& m) { menus_.push_back(&m); }
void Form::remove(PopupMenu& m) { erase(menus_, &m); }

void Form::controlChanged(Control& c) {
  if (c.windowed()) {
    if (Peer* p = static_cast<WindowedControl&>(c).peer) p->update(Change::Look, -1);
    return;
  }
  areaChanged(c.bounds());
}

void Form::areaChanged(const Rect& area) {
  if (visible_) app_.backend().invalidateArea(*this, paintedArea(area));
}

}  // namespace ui
