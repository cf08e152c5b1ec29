// The window model on real Windows windows: one top-level window per form, child windows for
// the windowed controls, SetTimer timers and posted calls on a hidden message-only window, the
// message loops, message boxes, the save dialog, the tray icon, popup menus, the layered style
// and, when QEXSYS_AUTOMATION=1, the automation protocol on the main window.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "ui/automation.h"
#include "ui/backend.h"
#include "ui/callqueue.h"
#include "ui/win32/form_window.h"
#include "ui/win32/gdi_text.h"
#include "ui/win32/handles.h"

namespace ui::win32 {

class Win32Backend : public Backend {
 public:
  Win32Backend();
  ~Win32Backend() override;

  void attach(Application& app) override;
  void formCreated(Form& form) override;
  void formDestroyed(Form& form) override;
  void formChanged(Form& form, FormChange what) override;
  void invalidate(Form& form) override;
  void invalidateArea(Form& form, const Rect& area) override;
  void controlDestroyed(WindowedControl& control) override;
  void timerChanged(Timer& timer) override;
  void timerDestroyed(Timer& timer) override;
  void runModal(Form& form) override;
  void processMessages() override;
  void pause(uint32_t ms, const std::function<void()>& first) override;
  void run() override;
  void quit() override;
  void post(std::function<void()> fn) override;
  int messageBox(Form* owner, const std::string& text, const std::string& caption, unsigned flags) override;
  std::optional<std::string> saveDialog(Form* owner, const SaveDialogOptions& options) override;
  void trayChanged(const TrayIcon& tray) override;
  void popupMenu(PopupMenu& menu, int x, int y) override;
  Point cursorPos() override;
  int screenWidth() override;
  int screenHeight() override;
  std::optional<Rect> taskbarRect() override;
  bool layeredSupported() override;
  TextRenderer& text() override { return text_; }
  uintptr_t nativeHandle(const Form& form) override;
  void screenCursorChanged() override;

  // For the form windows.
  GdiText& gdiText() { return text_; }
  HCURSOR cursor(Cursor c);
  HICON programIcon();
  void applyLayered(HWND hwnd, bool layered, uint8_t alpha);
  // Explorer announces a new taskbar (after it restarted) with this message to every top-level
  // window; the tray icon must then be added again, or it is gone for good.
  UINT taskbarCreatedMessage() const { return taskbarCreated_; }
  void taskbarCreated(HWND window);
  // A long loop is dispatching its messages and keeps the painting for later (see pump).
  bool paintingHeld() const { return paintingHeld_; }
  // A request of the automation protocol; false when it is not one or automation is off.
  bool automation(Form& form, HWND self, HWND sender, const COPYDATASTRUCT* data);

 private:
  Application* app_ = nullptr;
  GdiText text_;
  WindowPtr hidden_;
  std::map<const Form*, std::unique_ptr<FormWindow>> forms_;
  // The running timers. A timer's id is its own address (see timerProc).
  std::vector<const Timer*> timers_;
  CallQueue queue_;
  bool automationEnabled_ = false;
  UINT taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
  std::unique_ptr<Automation> automation_;
  HCURSOR hand_ = nullptr;
  // The timer that adds the first icon; the other timers' ids are addresses, never this.
  static constexpr UINT_PTR kTrayTimer = 1;
  TrayIcon shownTray_;
  HWND shownTrayWindow_ = nullptr;
  // When the queue was last looked at, and when the windows last painted.
  DWORD lastPump_ = 0, lastPumpPaint_ = 0;
  bool paintingHeld_ = false;

  FormWindow* formWindow(const Form* form) const;
  // The form's window, or none while it has not been made.
  HWND windowOf(const Form* form) const;
  void dispatch(MSG& msg);
  // Dispatches the waiting messages of the given queues (0: all of them, painting too).
  void pump(UINT queues);
  void wake();
  void runQueue();
  void fireTimer(UINT_PTR id);
  static void CALLBACK timerProc(HWND hwnd, UINT msg, UINT_PTR id, DWORD time);
  void showTray(const TrayIcon& tray);
  static void CALLBACK trayTimerProc(HWND hwnd, UINT msg, UINT_PTR id, DWORD time);
  void trayCall(DWORD what, const TrayIcon& tray, HWND window);
  static LRESULT CALLBACK hiddenProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
};

}  // namespace ui::win32
