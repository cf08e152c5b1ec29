#include "ui/win32/peers.h"

#include <vector>

#include "ui/application.h"
#include "ui/win32/list_view_peer.h"
#include "ui/win32/run.h"
#include "ui/win32/text_peers.h"

namespace ui::win32 {

ControlPeer::ControlPeer(Application& app, GdiText& text, WindowedControl& control)
    : app_(app), text_(text), control_(control) {}

ControlPeer::~ControlPeer() { control_.peer = nullptr; }

void ControlPeer::create(HWND parent, const char* windowClass, DWORD style, DWORD exStyle) {
  const Rect& r = control_.bounds();
  if (control_.showing()) style |= WS_VISIBLE;
  if (!control_.enabled()) style |= WS_DISABLED;
  hwnd_.reset(CreateWindowExA(exStyle, windowClass, "", WS_CHILD | WS_CLIPSIBLINGS | style, r.left, r.top,
                              r.width(), r.height(), parent, nullptr, currentInstance(), nullptr));
  control_.peer = this;
}

void ControlPeer::applyLook() {
  HWND h = hwnd();
  if (!h) return;
  const Rect& r = control_.bounds();
  SetWindowPos(h, nullptr, r.left, r.top, r.width(), r.height(), SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(text_.font(control_.font())), FALSE);
  EnableWindow(h, control_.enabled() ? TRUE : FALSE);
  ShowWindow(h, control_.showing() ? SW_SHOWNA : SW_HIDE);
  InvalidateRect(h, nullptr, TRUE);
}

void ControlPeer::syncVisibility() {
  const bool shown = (GetWindowLongPtrA(hwnd(), GWL_STYLE) & WS_VISIBLE) != 0;
  if (hwnd() && shown != control_.showing()) ShowWindow(hwnd(), shown ? SW_HIDE : SW_SHOWNA);
}

HBRUSH ControlPeer::colors(HDC dc) {
  SetTextColor(dc, colorRef(control_.font().color));
  SetBkColor(dc, colorRef(control_.color()));
  if (!brush_ || brushColor_ != control_.color()) {
    brush_.reset(CreateSolidBrush(colorRef(control_.color())));
    brushColor_ = control_.color();
  }
  return brush_.get();
}

std::string ControlPeer::windowText() const {
  const int length = GetWindowTextLengthA(hwnd());
  if (length <= 0) return {};
  std::vector<char> buffer(static_cast<size_t>(length) + 1);
  const int got = GetWindowTextA(hwnd(), buffer.data(), length + 1);
  return std::string(buffer.data(), got > 0 ? static_cast<size_t>(got) : 0);
}

void ControlPeer::setWindowText(const std::string& text) {
  applying_ = true;
  SetWindowTextA(hwnd(), text.c_str());
  applying_ = false;
}

void ControlPeer::guarded(const std::function<void()>& fn) { app_.guard(fn); }

std::unique_ptr<ControlPeer> makePeer(Application& app, GdiText& text, WindowedControl& control, HWND parent) {
  if (auto* list = dynamic_cast<ListView*>(&control)) return std::make_unique<ListViewPeer>(app, text, *list, parent);
  if (auto* memo = dynamic_cast<Memo*>(&control)) return std::make_unique<MemoPeer>(app, text, *memo, parent);
  if (auto* edit = dynamic_cast<Edit*>(&control)) return std::make_unique<EditPeer>(app, text, *edit, parent);
  return nullptr;
}

}  // namespace ui::win32
