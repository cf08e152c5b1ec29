#include "scan/deepscanfrm.h"

Tdeepscanfrm::Tdeepscanfrm(app::App& app)
    : Window(app, "Tdeepscanfrm", "deepscanfrm", 566, 365, "Orvanta System Scan", "scanner_form") {
  font = ui::Font::pixels("Verdana", 11, false, ui::kWhite);
}
