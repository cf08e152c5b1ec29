#include "app/startup.h"

#include <exception>

#include "app/app.h"
#include "app/config.h"
#include "app/qex_ulm_frm.h"

namespace app {

int runProgram(platform::Services& services, ui::Application& ui) {
  // The first copy holds the mutex until it ends; a second one leaves without a word.
  auto mutex = services.sync().createMutex(kInstanceMutex);
  if (mutex && mutex->alreadyExisted()) return 0;
  try {
    ui.setTitle(App::kTitle);
    App app(services, ui);
    auto settings = app.settings();
    app.config.load(settings);
    app.createWindows();
    app.run();
  } catch (const std::exception& e) {
    ui.showException(e);
  }
  return 0;
}

}  // namespace app
