#include "ui/win32/form_window.h"

#include <windowsx.h>

#include <algorithm>

#include "ui/application.h"
#include "ui/win32/dib.h"
#include "ui/win32/late_libraries.h"
#include "ui/win32/run.h"
#include "ui/win32/win32_backend.h"

namespace ui::win32 {

namespace {

// Posted to the window with the first area of a batch (see pending_); WM_APP + 20 is the peers'.
constexpr UINT kFlushAreas = WM_APP + 21;

void registerClass(const std::string& name, HICON icon) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = currentInstance();
  wc.hIcon = icon;
  wc.lpszClassName = name.c_str();
  // Registering a class twice fails harmlessly; every form of that class shares it.
  RegisterClassExA(&wc);
}

}  // namespace

// The window itself is made when the form first shows or something needs its handle: the
// program makes all its forms at start and shows one, and under Wine every top-level window
// made costs a window on the X server.
FormWindow::FormWindow(Win32Backend& backend, Form& form) : backend_(backend), form_(form) {}

HWND FormWindow::made() {
  if (!hwnd()) create();
  return hwnd();
}

void FormWindow::create() {
  registerClass(form_.className(), backend_.programIcon());
  hwnd_.reset(CreateWindowExA(exStyle(), form_.className().c_str(), form_.caption().c_str(),
                              style(), 0, 0, 0, 0, nullptr, nullptr, currentInstance(), nullptr));
  if (!hwnd_) return;
  // The class is shared with DefWindowProc so that creation needs no form; from here on the
  // messages come to this window object.
  SetWindowLongPtrA(hwnd(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrA(hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FormWindow::proc));
  captionStale_ = false;
  systemMenuApplied_ = 0;
  applySystemMenu();
  if (form_.layered()) backend_.applyLayered(hwnd(), true, form_.alpha());
  applyGeometry();
}

FormWindow::~FormWindow() {
  peers_.clear();
  if (hwnd()) SetWindowLongPtrA(hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DefWindowProcA));
}

DWORD FormWindow::style() const {
  DWORD s = WS_POPUP | WS_CLIPCHILDREN;
  if (form_.borderStyle == BorderStyle::Dialog) s |= WS_CAPTION | WS_SYSMENU;
  return s;
}

DWORD FormWindow::exStyle() const {
  DWORD s = form_.showInTaskbar ? WS_EX_APPWINDOW : WS_EX_TOOLWINDOW;
  if (form_.borderStyle == BorderStyle::Dialog) s |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
  if (form_.stayOnTop) s |= WS_EX_TOPMOST;
  if (form_.layered() && backend_.layeredSupported()) s |= WS_EX_LAYERED;
  return s;
}

// The form gives the size of its client area; the frame is whatever the border adds to it.
void FormWindow::applyGeometry() {
  RECT frame{0, 0, form_.clientWidth(), form_.clientHeight()};
  AdjustWindowRectEx(&frame, style(), FALSE, exStyle());
  const int w = frame.right - frame.left, h = frame.bottom - frame.top;
  int x = form_.left(), y = form_.top();
  if (form_.centred()) {
    x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2;
    y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
  }
  // Every showing comes here; a window already in place is not asked to move (a popup shown
  // for an event must come up at once).
  RECT now{};
  if (GetWindowRect(hwnd(), &now) && now.left == x && now.top == y && now.right - now.left == w &&
      now.bottom - now.top == h)
    return;
  SetWindowPos(hwnd(), nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::applyStyle() {
  const DWORD kept = static_cast<DWORD>(GetWindowLongPtrA(hwnd(), GWL_STYLE)) & (WS_VISIBLE | WS_DISABLED);
  SetWindowLongPtrA(hwnd(), GWL_STYLE, static_cast<LONG_PTR>(style() | kept));
  SetWindowLongPtrA(hwnd(), GWL_EXSTYLE, static_cast<LONG_PTR>(exStyle()));
  SetWindowPos(hwnd(), form_.stayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  applyGeometry();
}

void FormWindow::applyVisible() {
  if (!form_.visible()) {
    ShowWindow(hwnd(), SW_HIDE);
    return;
  }
  // Border, stay-on-top and taskbar fields may have changed since the window was made (the tray
  // icon's owner gets its window before it first shows); they take effect when it shows.
  constexpr DWORD kOurs = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  constexpr DWORD kOursEx = WS_EX_APPWINDOW | WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME | WS_EX_TOPMOST;
  auto restyled = [&] {
    return (static_cast<DWORD>(GetWindowLongPtrA(hwnd(), GWL_STYLE)) & kOurs) !=
               (style() & kOurs) ||
           (static_cast<DWORD>(GetWindowLongPtrA(hwnd(), GWL_EXSTYLE)) & kOursEx) !=
               (exStyle() & kOursEx);
  };
  if (!hwnd()) create();
  if (!hwnd()) return;
  applyCaption();
  if (!peersMade_) makePeers();
  for (const auto& p : peers_) p->syncVisibility();
  if (restyled())
    applyStyle();
  else
    applyGeometry();
  // A borderless window that stays on top is a notification: it must not take the focus.
  const bool quiet = form_.stayOnTop && form_.borderStyle == BorderStyle::None;
  ShowWindow(hwnd(), quiet ? SW_SHOWNOACTIVATE : SW_SHOW);
  if (form_.stayOnTop) SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void FormWindow::applyCaption() {
  if (!captionStale_) return;
  captionStale_ = false;
  SetWindowTextA(hwnd(), form_.caption().c_str());
}

void FormWindow::applySystemMenu() {
  HMENU menu = GetSystemMenu(hwnd(), FALSE);
  const auto& items = form_.systemMenu();
  for (; menu && systemMenuApplied_ < items.size(); ++systemMenuApplied_) {
    const SystemMenuItem& item = items[systemMenuApplied_];
    if (item.id < 0) RemoveMenu(menu, static_cast<UINT>(-item.id), MF_BYCOMMAND);
    else if (item.id == 0) AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    else AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(item.id), item.caption.c_str());
  }
}

void FormWindow::changed(FormChange what) {
  // A window not made yet takes the form as it is when it is made.
  if (!hwnd() && (what != FormChange::Visible || !form_.visible())) return;
  switch (what) {
    // The title follows at the next painting, which one pixel is enough to bring: a window that
    // names the item it works on in its title pays for that as often as it is painted, not once
    // per item, and repaints no more of its picture than what else changed.
    case FormChange::Caption:
      captionStale_ = true;
      invalidate(Rect{0, 0, 1, 1});
      break;
    case FormChange::Geometry: applyGeometry(); break;
    case FormChange::Visible: applyVisible(); break;
    case FormChange::Layered: backend_.applyLayered(hwnd(), form_.layered(), form_.alpha()); break;
    case FormChange::Style: applyStyle(); break;
    case FormChange::SystemMenu: applySystemMenu(); break;
    case FormChange::Foreground:
      SetForegroundWindow(hwnd());
      if (form_.visible()) BringWindowToTop(hwnd());
      break;
  }
}

// The whole window, for a new caption or a picture asked for while one was being painted. Every
// repaint request also lets a panel shown or hidden take the windowed controls in it along.
void FormWindow::invalidate() {
  if (!hwnd()) return;
  pending_.reset();
  if (!invalid_) InvalidateRect(hwnd(), nullptr, FALSE);
  invalid_ = true;
  for (const auto& p : peers_) p->syncVisibility();
}

// A control that changes repaints its own area alone: a scan that shows each item it looks up
// must not cost a picture of the whole window per item.
void FormWindow::invalidate(const Rect& area) {
  if (!hwnd()) return;
  for (const auto& p : peers_) p->syncVisibility();
  if (invalid_) return;
  GdiPtr<HRGN> added(CreateRectRgn(area.left, area.top, area.right, area.bottom));
  if (!added) {
    const RECT r{area.left, area.top, area.right, area.bottom};
    InvalidateRect(hwnd(), &r, FALSE);
    return;
  }
  if (pending_) {
    CombineRgn(pending_.get(), pending_.get(), added.get(), RGN_OR);
    return;
  }
  pending_ = std::move(added);
  // A queue that takes no more messages gets the area at once.
  if (!PostMessageA(hwnd(), kFlushAreas, 0, 0)) flushPending();
}

void FormWindow::flushPending() {
  if (!pending_) return;
  const GdiPtr<HRGN> area = std::move(pending_);
  if (hwnd() && !invalid_ && !paintNow(area.get())) InvalidateRgn(hwnd(), area.get(), FALSE);
}

void FormWindow::makePeers() {
  peersMade_ = true;
  for (Control* c : form_.controls()) {
    if (!c->windowed()) continue;
    if (auto peer = makePeer(form_.application(), backend_.gdiText(), static_cast<WindowedControl&>(*c), hwnd()))
      peers_.push_back(std::move(peer));
  }
}

void FormWindow::destroyPeer(WindowedControl& control) {
  auto it = std::find_if(peers_.begin(), peers_.end(), [&](const auto& p) { return &p->control() == &control; });
  if (it == peers_.end()) return;
  // Out of the list first, so the child's last notifications find no peer.
  std::unique_ptr<ControlPeer> gone = std::move(*it);
  peers_.erase(it);
}

ControlPeer* FormWindow::peerOf(HWND child) const {
  for (const auto& p : peers_)
    if (p->hwnd() == child) return p.get();
  return nullptr;
}

// One tool covers the whole client area and asks for its text each time it shows, so the hint
// follows whichever graphic control lies under the pointer. It is made when the pointer first
// comes over a control with a hint: making it costs Wine as much as showing a window, and most
// windows are shown without a hint ever being wanted.
void FormWindow::makeTooltip() {
  commonControls();  // registers the tooltip's window class
  tooltip_.reset(CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr,
                                 currentInstance(), nullptr));
  if (!tooltip_) return;
  TOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V1_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = hwnd();
  tool.uId = reinterpret_cast<UINT_PTR>(hwnd());
  tool.lpszText = LPSTR_TEXTCALLBACKA;
  SendMessageA(tooltip_.get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void FormWindow::tooltipText(NMTTDISPINFOA& info) {
  POINT p{};
  GetCursorPos(&p);
  ScreenToClient(hwnd(), &p);
  const Control* c = form_.controlAt(p.x, p.y);
  hintText_ = c && c->showHint ? c->hint : std::string();
  info.lpszText = hintText_.data();
}

void FormWindow::paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd(), &ps);
  invalid_ = false;
  applyCaption();
  // A handler that pumps messages while painting must not paint over the picture in progress.
  if (painting_) {
    repaint_ = true;
    EndPaint(hwnd(), &ps);
    return;
  }
  draw(dc, ps.rcPaint);
  EndPaint(hwnd(), &ps);
}

// Areas that changed are painted at once on the window's own device context when nothing else
// waits: under Wine a painting through WM_PAINT costs five more calls to the server (the
// invalidation, the update region twice, the caret twice), and the memory readout changes every
// second. Whatever else is waiting comes first and the areas go to WM_PAINT, which gathers a
// burst of changes into one painting. What another window covers is left out by the system and
// painted from the form as it is when it shows again.
bool FormWindow::paintNow(HRGN area) {
  if (painting_ || !form_.visible() || backend_.paintingHeld()) return false;
  if (HIWORD(GetQueueStatus(QS_INPUT | QS_POSTMESSAGE | QS_SENDMESSAGE | QS_PAINT))) return false;
  RECT box{};
  if (GetRgnBox(area, &box) == NULLREGION) return true;
  // A context whose settings stay as they are when released: this painting changes none, and
  // under Wine putting them back selects the system font, which reads the X resource settings.
  HDC dc = GetDCEx(hwnd(), nullptr, DCX_CACHE | DCX_CLIPCHILDREN | DCX_NORESETATTRS);
  if (!dc) return false;
  applyCaption();
  draw(dc, box);
  ReleaseDC(hwnd(), dc);
  return true;
}

// A picture of the area to paint, for this painting alone: a window holds none between
// paintings (an idle window under Wine: 1.2 MB less), and the memory readout's painting every
// second makes a picture of a few hundred pixels. It is plain memory copied to the window:
// under Wine a second device context for it costs a reading of the X resource files each time.
void FormWindow::draw(HDC dc, const RECT& r) {
  Bitmap picture = Bitmap::unfilled(r.right - r.left, r.bottom - r.top);
  if (picture.empty()) return;
  painting_ = true;
  Canvas canvas(picture, &backend_.gdiText(), r.left, r.top);
  canvas.setClip(Rect{r.left, r.top, r.right, r.bottom});
  form_.paintClient(canvas);
  painting_ = false;
  copyToDevice(dc, r.left, r.top, picture);
  GdiFlush();
  if (repaint_ && form_.visible()) {
    repaint_ = false;
    invalidate();
  }
}

bool FormWindow::setCursor() {
  POINT p{};
  GetCursorPos(&p);
  ScreenToClient(hwnd(), &p);
  SetCursor(backend_.cursor(form_.cursorAt(p.x, p.y)));
  return true;
}

void FormWindow::mouseMoved(int x, int y) {
  form_.mouseMove(x, y);
  const Control* under = form_.controlAt(x, y);
  // Made for the first hint wanted: an owned window follows its owner in every change of the
  // z-order, which would slow the showing of every window that has no hint at all.
  if (!tooltip_ && under && under->showHint) {
    makeTooltip();
    // The tooltip sees the moves from the next one on; this one starts its wait.
    MSG move{hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y), static_cast<DWORD>(GetMessageTime()), {}};
    if (tooltip_) SendMessageA(tooltip_.get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&move));
  }
  if (under != hintSource_ && tooltip_) SendMessageA(tooltip_.get(), TTM_POP, 0, 0);
  hintSource_ = under;
}

void FormWindow::rightButtonUp(int x, int y) {
  Control* c = form_.controlAt(x, y);
  if (!c || !c->popupMenu) return;
  POINT p{x, y};
  ClientToScreen(hwnd(), &p);
  form_.contextMenu(*c, p.x, p.y);
}

bool FormWindow::dialogKey(HWND target, int key) {
  if (ControlPeer* peer = peerOf(target); peer && peer->takesKey(key)) return false;
  return form_.dialogKey(key);
}

LRESULT FormWindow::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  Application& app = form_.application();
  const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
  switch (msg) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: paint(); return 0;
    case WM_MOUSEMOVE: mouseMoved(x, y); return 0;
    case WM_LBUTTONDOWN:
      SetCapture(hwnd());
      form_.mouseDown(x, y);
      return 0;
    case WM_LBUTTONUP:
      if (GetCapture() == hwnd()) ReleaseCapture();
      form_.mouseUp(x, y);
      return 0;
    case WM_LBUTTONDBLCLK:
      SetCapture(hwnd());
      form_.doubleClick(x, y);
      return 0;
    case WM_RBUTTONUP: rightButtonUp(x, y); return 0;
    case WM_MOUSEWHEEL: {
      // The wheel's point is on the screen, not in the window.
      POINT p{x, y};
      ScreenToClient(hwnd(), &p);
      form_.mouseWheel(p.x, p.y, GET_WHEEL_DELTA_WPARAM(wParam));
      return 0;
    }
    case WM_SETCURSOR:
      if (LOWORD(lParam) != HTCLIENT) break;
      if (reinterpret_cast<HWND>(wParam) == hwnd()) return setCursor();
      if (ControlPeer* peer = peerOf(reinterpret_cast<HWND>(wParam))) {
        // A child keeps its own cursor unless the model gives it, or its form, another one.
        Cursor c = peer->control().cursor;
        if (c == Cursor::Default) c = form_.cursor;
        if (c == Cursor::Default) break;
        SetCursor(backend_.cursor(c));
        return TRUE;
      }
      break;
    case WM_KEYDOWN: app.guard([&] { form_.FormKeyDown(static_cast<int>(wParam)); }); return 0;
    case WM_KEYUP: app.guard([&] { form_.FormKeyUp(static_cast<int>(wParam)); }); return 0;
    case WM_CLOSE: form_.close(); return 0;
    // As in a dialog, the focus goes back to the field the user left, or to the first one, when
    // the window is activated again: the window itself takes no typing.
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd(), focus)) focused_ = focus;
      }
      break;
    case WM_SETFOCUS: {
      HWND target = focused_ && IsChild(hwnd(), focused_) && IsWindowVisible(focused_) &&
                            IsWindowEnabled(focused_)
                        ? focused_
                        : GetNextDlgTabItem(hwnd(), nullptr, FALSE);
      if (target && target != hwnd()) SetFocus(target);
      return 0;
    }
    // Logging off or shutting down: the program agrees, and does at the end what it would do
    // on leaving, since Windows may end the process once the message is handled.
    case WM_QUERYENDSESSION: return TRUE;
    case WM_ENDSESSION:
      if (wParam) app.endSession();
      return 0;
    case WM_SYSCOMMAND: {
      const auto& items = form_.systemMenu();
      const bool ours = std::any_of(items.begin(), items.end(),
                                    [&](const SystemMenuItem& i) { return i.id > 0 && WPARAM(i.id) == wParam; });
      if (!ours) break;
      app.guard([&] { form_.FormSysCommand(static_cast<int>(wParam)); });
      return 0;
    }
    case WM_NOTIFY: {
      const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
      if (tooltip_ && hdr->hwndFrom == tooltip_.get() && hdr->code == TTN_GETDISPINFOA) {
        tooltipText(*reinterpret_cast<NMTTDISPINFOA*>(lParam));
        return 0;
      }
      if (ControlPeer* peer = peerOf(hdr->hwndFrom)) return peer->notify(*hdr);
      break;
    }
    case WM_COMMAND:
      if (ControlPeer* peer = peerOf(reinterpret_cast<HWND>(lParam))) peer->command(HIWORD(wParam));
      return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
      if (ControlPeer* peer = peerOf(reinterpret_cast<HWND>(lParam)))
        return reinterpret_cast<LRESULT>(peer->colors(reinterpret_cast<HDC>(wParam)));
      break;
    case kFlushAreas: flushPending(); return 0;
    case kPeerDeferred:
      if (ControlPeer* peer = peerOf(reinterpret_cast<HWND>(lParam))) peer->deferred();
      return 0;
    case WM_COPYDATA:
      return backend_.automation(form_, hwnd(), reinterpret_cast<HWND>(wParam),
                                 reinterpret_cast<const COPYDATASTRUCT*>(lParam))
                 ? TRUE
                 : FALSE;
    default: {
      if (msg == backend_.taskbarCreatedMessage()) {
        backend_.taskbarCreated(hwnd());
        break;
      }
      const TrayIcon& tray = app.tray();
      if (tray.present && tray.owner == &form_ && tray.callbackMessage != 0 && msg == tray.callbackMessage) {
        if (lParam == WM_LBUTTONDBLCLK) app.guard([&] { form_.FormTrayMessage(TrayEvent::DoubleClick); });
        else if (lParam == WM_RBUTTONUP) app.guard([&] { form_.FormTrayMessage(TrayEvent::RightButtonUp); });
        return 0;
      }
    }
  }
  return DefWindowProcA(hwnd(), msg, wParam, lParam);
}

LRESULT CALLBACK FormWindow::proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
  // Nothing may unwind through the system's code; the model's handlers report their own errors.
  try {
    return self->handle(msg, wParam, lParam);
  } catch (...) {
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

}  // namespace ui::win32
