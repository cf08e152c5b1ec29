#include "sysinfo/softwarefrm.h"

Tsoftwarefrm::Tsoftwarefrm(app::App& app)
    : Window(app, "Tsoftwarefrm", "softwarefrm", 566, 365, "Software Wizard", "soft_form") {
  font = ui::Font::pixels("Verdana", 11, true, ui::kWhite);
}
