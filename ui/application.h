// The application object of the window model: its title, its forms, the message loop,
// cross-thread calls, message boxes, the tray icon, and the guard that turns an exception
// escaping a handler into the standard exception box.
#pragma once

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/thread.h"
#include "ui/backend.h"
#include "ui/control.h"

namespace ui {

// An error that whoever raised it has told the user of already: the guard ends the handler and
// shows nothing more.
class ToldError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class Application {
 public:
  explicit Application(Backend& backend);
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  Backend& backend() { return backend_; }
  const std::string& title() const { return title_; }
  void setTitle(const std::string& t) { title_ = t; }

  void run();
  void processMessages();
  // A pause of ms milliseconds in long work, within which first (when given) runs and the
  // messages waiting are handled (Backend::pause).
  void pause(uint32_t ms, const std::function<void()>& first = nullptr);
  void terminate();
  bool terminated() const { return terminated_; }
  // The user logs off or the system shuts down. The handler must leave nothing undone: the
  // system may end the process as soon as it returns. It runs once.
  std::function<void()> onEndSession;
  void endSession();

  // Runs fn on the user-interface thread and waits for it (directly when already there).
  void synchronize(const std::function<void()>& fn);
  // Runs fn later, from the message loop, under guard; any thread may call it.
  void queue(std::function<void()> fn);
  bool onUiThread() const { return platform::currentThreadId() == uiThread_; }

  int messageBox(Form* owner, const std::string& text, const std::string& caption, unsigned flags);
  std::optional<std::string> saveDialog(Form* owner, const SaveDialogOptions& options);
  // The standard exception box: the message as text, the title as caption, an error icon.
  void showException(const std::exception& e);
  // Runs a handler; an exception that escapes it is shown and the program goes on.
  void guard(const std::function<void()>& handler);

  const TrayIcon& tray() const { return tray_; }
  void setTray(const TrayIcon& t);
  void removeTray();

  TextRenderer& text() { return backend_.text(); }
  // The cursor over every form of the program while it is not the default one (the hourglass
  // during a long piece of work), whatever the controls under the pointer ask for.
  Cursor screenCursor() const { return screenCursor_; }
  void setScreenCursor(Cursor c);
  // The mouse pointer on the screen.
  Point cursorPos() { return backend_.cursorPos(); }
  // The native window of a form, for the owner of a shell call; 0 for none.
  uintptr_t nativeHandle(const Form* form) { return form ? backend_.nativeHandle(*form) : 0; }
  int screenWidth() { return backend_.screenWidth(); }
  int screenHeight() { return backend_.screenHeight(); }
  std::optional<Rect> taskbarRect() { return backend_.taskbarRect(); }

  const std::vector<Form*>& forms() const { return forms_; }
  Form* findForm(const std::string& name) const;
  Form* mainForm() const { return forms_.empty() ? nullptr : forms_.front(); }
  void addForm(Form& f);
  void removeForm(Form& f);
  // Whether every form in the list is whole. A form is listed from its base's constructor on
  // and until its base's destructor, so while the program builds or tears down its forms one
  // of them may be half made; requests from outside (the automation protocol) wait for this.
  bool formsReady() const { return formsReady_; }
  void setFormsReady(bool ready) { formsReady_ = ready; }

 private:
  Backend& backend_;
  std::string title_;
  bool terminated_ = false;
  bool sessionEnded_ = false;
  bool formsReady_ = false;
  platform::ThreadId uiThread_;
  TrayIcon tray_;
  Cursor screenCursor_ = Cursor::Default;
  std::vector<Form*> forms_;
};

}  // namespace ui
