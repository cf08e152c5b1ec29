#include "monitor/notifyfrm.h"

Tnotifyfrm::Tnotifyfrm(app::App& app) : Window(app, "Tnotifyfrm", "notifyfrm", 192, 250, "", "notify") {
  borderStyle = ui::BorderStyle::None;
  stayOnTop = true;
  showInTaskbar = false;
  font = ui::Font::points("Verdana", 8);
}
