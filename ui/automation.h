// The text protocol through which the end-to-end tests drive the real program. Queries answer
// from the window model at once; actions are queued on the user-interface thread and dispatch
// the same events the mouse and keyboard produce. The Win32 backend carries the requests in
// WM_COPYDATA when QEXSYS_AUTOMATION=1; nothing here adds behaviour of its own.
#pragma once

#include <string>

namespace ui {

class Application;

class Automation {
 public:
  explicit Automation(Application& app) : app_(app) {}
  // "ok", "ok <value>" or "error <reason>".
  std::string handle(const std::string& request);

 private:
  Application& app_;
  std::string query(const std::string& target);
  std::string action(const std::string& verb, const std::string& rest);
};

}  // namespace ui
