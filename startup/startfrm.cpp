#include "startup/startfrm.h"

Tstartfrm::Tstartfrm(app::App& app)
    : Window(app, "Tstartfrm", "startfrm", 566, 365, "Startup Wizard", "start_form") {
  font = ui::Font::pixels("Verdana", 11, true, ui::kWhite);
}
