// What a window backend provides to the model: native windows for forms and windowed
// controls, timers, the message loop, message boxes, the save dialog, the tray icon, popup
// menus, text measurement. Implemented by ui/headless (tests) and ui/win32 (the product).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "ui/dialogs.h"
#include "ui/font.h"

namespace ui {

class Application;
class Form;
class Timer;
class PopupMenu;
class WindowedControl;

enum class FormChange { Caption, Geometry, Visible, Layered, Style, SystemMenu, Foreground };

struct TrayIcon {
  bool present = false;
  uint32_t id = 0;
  unsigned callbackMessage = 0;
  std::string tip;
  int imageIndex = -1;
  Form* owner = nullptr;
};

struct Point {
  int x = 0, y = 0;
};

class Backend {
 public:
  virtual ~Backend() = default;

  virtual void attach(Application& app) = 0;
  virtual void formCreated(Form& form) = 0;
  virtual void formDestroyed(Form& form) = 0;
  virtual void formChanged(Form& form, FormChange what) = 0;
  virtual void invalidate(Form& form) = 0;
  // Only this part of the client area needs painting again.
  virtual void invalidateArea(Form& form, const Rect&) { invalidate(form); }
  // Native child windows of windowed controls are made when their form is first shown, from
  // the model as it is then; later changes reach them through their peers.
  virtual void controlDestroyed(WindowedControl& control) = 0;
  virtual void timerChanged(Timer& timer) = 0;
  virtual void timerDestroyed(Timer& timer) = 0;

  // Runs a nested loop until the form is hidden (Win32) or returns at once (headless).
  virtual void runModal(Form& form) = 0;
  // The messages waiting, for long work between its items (the Win32 backend looks at the queue
  // and paints only so often).
  virtual void processMessages() = 0;
  // A pause of the given time in long work: first (when given) runs, the windows repaint and
  // the messages waiting are handled within it, then the rest of the time is waited out.
  virtual void pause(uint32_t ms, const std::function<void()>& first) = 0;
  // The message loop, until terminate().
  virtual void run() = 0;
  virtual void quit() = 0;
  // Queues a call for the user-interface thread; safe from any thread.
  virtual void post(std::function<void()> fn) = 0;

  virtual int messageBox(Form* owner, const std::string& text, const std::string& caption,
                         unsigned flags) = 0;
  virtual std::optional<std::string> saveDialog(Form* owner, const SaveDialogOptions& options) = 0;
  virtual void trayChanged(const TrayIcon& tray) = 0;
  virtual void popupMenu(PopupMenu& menu, int x, int y) = 0;
  virtual Point cursorPos() = 0;
  virtual int screenWidth() = 0;
  virtual int screenHeight() = 0;
  // The taskbar's rectangle on the screen; nullopt where there is no taskbar.
  virtual std::optional<Rect> taskbarRect() = 0;
  virtual bool layeredSupported() = 0;
  virtual TextRenderer& text() = 0;
  // The native window of a form (0 where there is none), for owner windows of shell calls.
  virtual uintptr_t nativeHandle(const Form& form) = 0;
  // The application's screen cursor changed: the pointer over a form takes it at once.
  virtual void screenCursorChanged() {}
};

}  // namespace ui
