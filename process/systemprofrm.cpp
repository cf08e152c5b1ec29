#include "process/systemprofrm.h"

Tsystemprofrm::Tsystemprofrm(app::App& app)
    : Window(app, "Tsystemprofrm", "systemprofrm", 566, 365, "System Wizard", "process_form") {
  font = ui::Font::pixels("Verdana", 11, true, ui::kWhite);
}
