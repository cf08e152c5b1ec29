#include "app/aboutfrm.h"

Taboutfrm::Taboutfrm(app::App& app)
    : SkinnedForm(app, "Taboutfrm", "aboutfrm", 335, 254, "About Orvanta Kestrel...", "about_form") {
  font = ui::Font::pixels("Verdana", 11, false, ui::kWhite);
}
