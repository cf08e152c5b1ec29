#include "online/loginfrm.h"

Tloginfrm::Tloginfrm(app::App& app)
    : Window(app, "Tloginfrm", "loginfrm", 335, 254, "Member Login", "login_form") {
  font = ui::Font::pixels("Verdana", 11, true, ui::kWhite);
}
