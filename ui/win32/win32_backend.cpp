#include "ui/win32/win32_backend.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <utility>
#include <vector>

#include "platform/win32/optional_api.h"
#include "ui/application.h"
#include "ui/timer.h"
#include "ui/win32/open_menu.h"
#include "ui/win32/run.h"

namespace ui::win32 {

namespace {

constexpr UINT kRunQueue = WM_APP + 1;
constexpr ULONG_PTR kAutomationRequest = 0x514B, kAutomationReply = 0x514C;
// Longer requests are no commands of the protocol and are refused unread.
constexpr DWORD kMaxRequest = 64 * 1024;
constexpr const char* kHiddenClass = "QexsysMessageWindow";
// The backend whose hidden window owns the timers; a program has one.
Win32Backend* timerBackend = nullptr;

}  // namespace

Win32Backend::Win32Backend() {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = &Win32Backend::hiddenProc;
  wc.hInstance = currentInstance();
  wc.lpszClassName = kHiddenClass;
  RegisterClassExA(&wc);
  hidden_.reset(CreateWindowExA(0, kHiddenClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, currentInstance(), nullptr));
  SetWindowLongPtrA(hidden_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  timerBackend = this;

  const char* flag = std::getenv("QEXSYS_AUTOMATION");
  automationEnabled_ = flag && std::strcmp(flag, "1") == 0;
}

Win32Backend::~Win32Backend() {
  if (shownTrayWindow_) trayCall(NIM_DELETE, shownTray_, shownTrayWindow_);
  for (const Timer* timer : timers_) KillTimer(hidden_.get(), reinterpret_cast<UINT_PTR>(timer));
  timerBackend = nullptr;
  forms_.clear();
  SetWindowLongPtrA(hidden_.get(), GWLP_USERDATA, 0);
}

void Win32Backend::attach(Application& app) {
  app_ = &app;
  if (automationEnabled_) automation_ = std::make_unique<Automation>(app);
}

FormWindow* Win32Backend::formWindow(const Form* form) const {
  auto it = form ? forms_.find(form) : forms_.end();
  return it == forms_.end() ? nullptr : it->second.get();
}

HWND Win32Backend::windowOf(const Form* form) const {
  const FormWindow* window = formWindow(form);
  return window ? window->hwnd() : nullptr;
}

void Win32Backend::formCreated(Form& form) { forms_[&form] = std::make_unique<FormWindow>(*this, form); }

void Win32Backend::formDestroyed(Form& form) {
  if (shownTrayWindow_ && shownTrayWindow_ == windowOf(&form)) {
    trayCall(NIM_DELETE, shownTray_, shownTrayWindow_);
    shownTrayWindow_ = nullptr;
  }
  forms_.erase(&form);
}

void Win32Backend::formChanged(Form& form, FormChange what) {
  auto it = forms_.find(&form);
  if (it == forms_.end()) return;
  it->second->changed(what);
  // A nested loop waiting for this window to close must look again.
  if (what == FormChange::Visible && !form.visible()) wake();
}

void Win32Backend::invalidate(Form& form) {
  auto it = forms_.find(&form);
  if (it != forms_.end()) it->second->invalidate();
}

void Win32Backend::invalidateArea(Form& form, const Rect& area) {
  auto it = forms_.find(&form);
  if (it != forms_.end()) it->second->invalidate(area);
}

void Win32Backend::controlDestroyed(WindowedControl& control) {
  auto it = forms_.find(&control.form());
  if (it != forms_.end()) it->second->destroyPeer(control);
}

void Win32Backend::timerChanged(Timer& timer) {
  if (!timer.enabled()) return timerDestroyed(timer);
  if (std::find(timers_.begin(), timers_.end(), &timer) == timers_.end()) timers_.push_back(&timer);
  // Setting an existing id again restarts it with the new interval.
  SetTimer(hidden_.get(), reinterpret_cast<UINT_PTR>(&timer), std::max<UINT>(timer.interval(), 1), &timerProc);
}

void Win32Backend::timerDestroyed(Timer& timer) {
  auto it = std::find(timers_.begin(), timers_.end(), &timer);
  if (it == timers_.end()) return;
  KillTimer(hidden_.get(), reinterpret_cast<UINT_PTR>(&timer));
  timers_.erase(it);
}

void Win32Backend::fireTimer(UINT_PTR id) {
  auto it = std::find(timers_.begin(), timers_.end(), reinterpret_cast<const Timer*>(id));
  if (it == timers_.end()) return static_cast<void>(KillTimer(hidden_.get(), id));
  const_cast<Timer*>(*it)->fire();
}

// The timers' messages come here straight from the dispatch, without the window procedure:
// the memory readout's timer fires a hundred times a second, and under Wine each step on the
// way into the system (finding the window's procedure, reading its data) costs more than the
// readout itself. The backend is the one that made the hidden window.
void CALLBACK Win32Backend::timerProc(HWND, UINT, UINT_PTR id, DWORD) {
  if (!timerBackend || !timerBackend->app_) return;
  try {
    timerBackend->fireTimer(id);
  } catch (...) {
  }
}

void Win32Backend::dispatch(MSG& msg) {
  if (msg.message == WM_KEYDOWN && (msg.wParam == VK_ESCAPE || msg.wParam == VK_RETURN)) {
    const HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    for (const auto& [form, window] : forms_)
      if (window->hwnd() == root && window->dialogKey(msg.hwnd, static_cast<int>(msg.wParam)))
        return;
  }
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
}

// A long loop pumps after every item it handles, and under Wine every look at the queue is a
// round trip to the server that costs more than many an item. So the queue is looked at once
// per kPumpSliceMs (input, timers and calls from other threads wait at most that long), and
// the windows repaint at most every kPumpPaintMs, as often as anybody can follow.
void Win32Backend::processMessages() {
  constexpr DWORD kPumpSliceMs = 10, kPumpPaintMs = 50;
  const DWORD now = GetTickCount();
  if (now - lastPump_ < kPumpSliceMs) return;
  const bool paint = now - lastPumpPaint_ >= kPumpPaintMs;
  pump(paint ? 0 : PM_QS_INPUT | PM_QS_POSTMESSAGE | PM_QS_SENDMESSAGE);
}

void Win32Backend::pump(UINT queues) {
  const DWORD now = GetTickCount();
  lastPump_ = now;
  if (queues == 0) lastPumpPaint_ = now;
  // The areas that change meanwhile wait for the next painting too.
  const bool held = std::exchange(paintingHeld_, queues != 0);
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE | queues)) {
    if (msg.message == WM_QUIT) {
      // Left for the loop that owns the program's end.
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    dispatch(msg);
  }
  paintingHeld_ = held;
}

void Win32Backend::pause(uint32_t ms, const std::function<void()>& first) {
  LARGE_INTEGER frequency, start, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  if (first) app_->guard(first);
  // Everything waiting, painting too, within the pause's own time; a loop's pump right after
  // the pause then finds nothing due and leaves painting to the next pause.
  pump(0);
  QueryPerformanceCounter(&now);
  // The rest of the pause to the nearest millisecond. A plain sleep rather than a wait for
  // messages as well: a message wait goes through the Wine server, which makes each pause of a
  // long scan longer by a good part of a millisecond; what arrives meanwhile waits that long.
  const LONGLONG left = start.QuadPart + frequency.QuadPart * ms / 1000 - now.QuadPart;
  if (left > 0) Sleep(static_cast<DWORD>((left * 1000 + frequency.QuadPart / 2) / frequency.QuadPart));
}

void Win32Backend::run() {
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) dispatch(msg);
}

void Win32Backend::quit() {
  // A menu open at that moment would hold the program in its own loop until clicked away.
  endOpenMenu();
  PostQuitMessage(0);
}

void Win32Backend::runModal(Form& form) {
  HWND self = windowOf(&form);
  HWND active = GetActiveWindow();
  std::vector<HWND> disabled;
  for (const auto& [f, window] : forms_) {
    HWND h = window->hwnd();
    if (h && h != self && IsWindowVisible(h) && IsWindowEnabled(h)) {
      EnableWindow(h, FALSE);
      disabled.push_back(h);
    }
  }
  MSG msg;
  while (form.visible() && !app_->terminated()) {
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    dispatch(msg);
  }
  for (HWND h : disabled) EnableWindow(h, TRUE);
  if (active && IsWindowVisible(active)) SetActiveWindow(active);
}

void Win32Backend::wake() { PostMessageA(hidden_.get(), WM_NULL, 0, 0); }

void Win32Backend::post(std::function<void()> fn) {
  queue_.push(std::move(fn));
  PostMessageA(hidden_.get(), kRunQueue, 0, 0);
}

void Win32Backend::runQueue() {
  queue_.drain([](const std::function<void()>& fn) { fn(); });
}

LRESULT CALLBACK Win32Backend::hiddenProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<Win32Backend*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (self && self->app_) {
    try {
      if (msg == kRunQueue) return self->runQueue(), 0;
    } catch (...) {
      return 0;
    }
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

Point Win32Backend::cursorPos() {
  POINT p{};
  GetCursorPos(&p);
  return Point{p.x, p.y};
}

int Win32Backend::screenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
int Win32Backend::screenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

std::optional<Rect> Win32Backend::taskbarRect() {
  if (!FindWindowA("Shell_TrayWnd", nullptr)) return std::nullopt;
  APPBARDATA bar{};
  bar.cbSize = sizeof(bar);
  if (!SHAppBarMessage(ABM_GETTASKBARPOS, &bar)) return std::nullopt;
  return Rect{bar.rc.left, bar.rc.top, bar.rc.right, bar.rc.bottom};
}

uintptr_t Win32Backend::nativeHandle(const Form& form) { return reinterpret_cast<uintptr_t>(windowOf(&form)); }

void Win32Backend::screenCursorChanged() {
  POINT p{};
  if (!GetCursorPos(&p)) return;
  HWND under = WindowFromPoint(p);
  for (const auto& entry : forms_) {
    HWND own = entry.second->hwnd();
    if (under == own) SendMessageA(own, WM_SETCURSOR, reinterpret_cast<WPARAM>(own), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  }
}

HCURSOR Win32Backend::cursor(Cursor c) {
  switch (c) {
    case Cursor::Hand:
      if (!hand_) hand_ = LoadCursorA(currentInstance(), "HACURSOR");
      if (!hand_) hand_ = LoadCursor(nullptr, IDC_HAND);
      return hand_;
    case Cursor::Hourglass: return LoadCursor(nullptr, IDC_WAIT);
    case Cursor::Default: break;
  }
  return LoadCursor(nullptr, IDC_ARROW);
}

HICON Win32Backend::programIcon() {
  if (HICON icon = LoadIconA(currentInstance(), "MAINICON")) return icon;
  return LoadIcon(nullptr, IDI_APPLICATION);
}

// Not every system has the layered style; the program fades only where it exists.
bool Win32Backend::layeredSupported() { return platform::win32::optionalApi().SetLayeredWindowAttributes != nullptr; }

void Win32Backend::applyLayered(HWND hwnd, bool layered, uint8_t alpha) {
  const auto setLayered = platform::win32::optionalApi().SetLayeredWindowAttributes;
  if (!setLayered) return;
  const LONG_PTR ex = GetWindowLongPtrA(hwnd, GWL_EXSTYLE);
  if (!layered) {
    SetWindowLongPtrA(hwnd, GWL_EXSTYLE, ex & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
    RedrawWindow(hwnd, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
    return;
  }
  if (!(ex & WS_EX_LAYERED)) SetWindowLongPtrA(hwnd, GWL_EXSTYLE, ex | WS_EX_LAYERED);
  setLayered(hwnd, 0, alpha, LWA_ALPHA);
}

bool Win32Backend::automation(Form& form, HWND self, HWND sender, const COPYDATASTRUCT* data) {
  if (!automation_ || !data || data->dwData != kAutomationRequest || &form != app_->mainForm()) return false;
  std::string reply;
  if (data->cbData > kMaxRequest) {
    reply = "error request too long";
  } else if (!app_->formsReady()) {
    // A message handled while the program builds or tears down its forms (a cross-process
    // call in a constructor lets it in) must not meet a half-made form.
    reply = "error not ready";
  } else {
    std::string request(static_cast<const char*>(data->lpData), data->lpData ? data->cbData : 0);
    while (!request.empty() && request.back() == '\0') request.pop_back();
    try {
      reply = automation_->handle(request);
    } catch (const std::exception& e) {
      reply = std::string("error ") + e.what();
    }
  }
  if (!IsWindow(sender)) return true;
  COPYDATASTRUCT answer{kAutomationReply, static_cast<DWORD>(reply.size()), reply.data()};
  DWORD_PTR result = 0;
  SendMessageTimeoutA(sender, WM_COPYDATA, reinterpret_cast<WPARAM>(self), reinterpret_cast<LPARAM>(&answer),
                      SMTO_ABORTIFHUNG, 5000, &result);
  return true;
}

}  // namespace ui::win32
