// A window of the program: the skinned frame with the application object it belongs to, through
// which it reaches the services, the settings, the system facts and the other windows.
#pragma once

#include <string>

#include "app/app.h"
#include "frame/skinnedform.h"

namespace app {

class Window : public frame::SkinnedForm {
 public:
  Window(App& app, std::string className, std::string name, int clientWidth, int clientHeight,
         const std::string& caption, const std::string& background)
      : SkinnedForm(app.ui, app.skin(), std::move(className), std::move(name), clientWidth, clientHeight, caption,
                    background),
        app_(app) {}

  // Escape closes a dialog or tool window as its close button does.
  void FormEscape() override { close(); }

 protected:
  App& app_;
};

}  // namespace app
