#include "online/qextodayfrm.h"

Tqextodayfrm::Tqextodayfrm(app::App& app)
    : Window(app, "Tqextodayfrm", "qextodayfrm", 566, 365, "Orvanta Kestrel", "news_today") {
  font = ui::Font::pixels("MS Sans Serif", 11);
  auto settings = app.settings();
  showNewsAtStart_ = settings.readBool("System", "News", true);
}

void Tqextodayfrm::FormPaint(ui::Canvas& canvas) {
  if (background_.empty()) return;
  for (int y = 0; y < clientHeight(); y += background_.height())
    for (int x = 0; x < clientWidth(); x += background_.width()) canvas.draw(x, y, background_);
}
