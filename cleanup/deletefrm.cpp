#include "cleanup/deletefrm.h"

Tdeletefrm::Tdeletefrm(app::App& app)
    : Window(app, "Tdeletefrm", "deletefrm", 335, 254, "Deleting Temporary Files...", "progress_form") {
  font = ui::Font::pixels("Verdana", 11, true, ui::kWhite);
}
