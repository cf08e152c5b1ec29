#include "monitor/preffrm.h"

Tpreffrm::Tpreffrm(app::App& app)
    : Window(app, "Tpreffrm", "preffrm", 450, 266, "Preferences", "prefform") {
  font = ui::Font::points("Verdana", 8);
}
