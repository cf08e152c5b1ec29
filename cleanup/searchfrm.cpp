#include "cleanup/searchfrm.h"

TSearchFrm::TSearchFrm(app::App& app)
    : Window(app, "TSearchFrm", "SearchFrm", 508, 340, "Orvanta File Viewer", "") {
  font = ui::Font::pixels("MS Sans Serif", 11);
}
