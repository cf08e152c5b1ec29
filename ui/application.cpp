#include "ui/application.h"

#include <algorithm>
#include <exception>

#include "ui/form.h"

namespace ui {

Application::Application(Backend& backend) : backend_(backend), uiThread_(platform::currentThreadId()) {
  backend_.attach(*this);
}

void Application::run() {
  if (!terminated_) backend_.run();
}

void Application::processMessages() { backend_.processMessages(); }

void Application::pause(uint32_t ms, const std::function<void()>& first) { backend_.pause(ms, first); }

void Application::terminate() {
  terminated_ = true;
  backend_.quit();
}

void Application::endSession() {
  if (sessionEnded_) return;
  sessionEnded_ = true;
  if (onEndSession) guard(onEndSession);
}

void Application::synchronize(const std::function<void()>& fn) {
  if (onUiThread()) {
    guard(fn);
    return;
  }
  platform::Event done;
  backend_.post([&] {
    guard(fn);
    done.set();
  });
  done.wait();
}

void Application::queue(std::function<void()> fn) {
  backend_.post([this, fn = std::move(fn)] { guard(fn); });
}

int Application::messageBox(Form* owner, const std::string& text, const std::string& caption, unsigned flags) {
  return backend_.messageBox(owner, text, caption, flags);
}

std::optional<std::string> Application::saveDialog(Form* owner, const SaveDialogOptions& options) {
  return backend_.saveDialog(owner, options);
}

void Application::showException(const std::exception& e) {
  std::string text = e.what();
  // The framework's box ends the message with a full stop.
  if (!text.empty() && text.back() > ' ' && text.back() != '.') text += '.';
  backend_.messageBox(nullptr, text, title_, kMbOk | kMbIconError);
}

void Application::guard(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const ToldError&) {
  } catch (const std::exception& e) {
    showException(e);
  }
}

void Application::setScreenCursor(Cursor c) {
  if (c == screenCursor_) return;
  screenCursor_ = c;
  backend_.screenCursorChanged();
}

void Application::setTray(const TrayIcon& t) {
  tray_ = t;
  tray_.present = true;
  backend_.trayChanged(tray_);
}

void Application::removeTray() {
  if (!tray_.present) return;
  tray_.present = false;
  backend_.trayChanged(tray_);
}

Form* Application::findForm(const std::string& name) const {
  for (Form* f : forms_)
    if (f->name() == name) return f;
  return nullptr;
}

void Application::addForm(Form& f) { forms_.push_back(&f); }

void Application::removeForm(Form& f) { forms_.erase(std::remove(forms_.begin(), forms_.end(), &f), forms_.end()); }

}  // namespace ui
