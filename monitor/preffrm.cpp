#include "monitor/preffrm.h"

Tpreffrm::Tpreffrm(app::App& app)
    : Window(app, "Tpreffrm", "preffrm", 450, 266, "Preferences", "prefform") {
  font = ui::Font::points("Verdana", 8);
  auto settings = app.settings();
  SysChange = settings.readBool("System", "SysChange", false);
  InfSound = settings.readBool("System", "InfSound", false);
  SysScan = settings.readBool("System", "SysScan", false);
  SysMonitor = settings.readBool("System", "SysMonitor", false);
}
