#include "app/aboutfrm.h"

namespace {

void place(ui::Label& l, int x, int y, const std::string& caption, const ui::Font& f, ui::Align a = ui::Align::Left) {
  l.setAlignment(a);
  l.setFont(f);
  l.setBounds({x, y, x, y});
  l.setCaption(caption);
}

}  // namespace

Taboutfrm::Taboutfrm(app::App& app)
    : Window(app, "Taboutfrm", "aboutfrm", 335, 254, "About Orvanta Kestrel...", "about_form"),
      close_(skin(), Image1, Label1, hoverLatch, 216, 208, "Close", [this] { close(); }),
      links_{{{Label6, hoverLatch, [this] { app_.openUrl(this, app_.config.vendorSite, app::urlFailure(app_.config.vendorSite)); }},
              {Label7, hoverLatch, [this] { app_.openUrlQuietly(this, app_.config.partnerSite1); }},
              {Label11, hoverLatch,
               [this] { app_.openUrl(this, app_.config.partnerSite2, app::urlFailure(app_.config.partnerSite2)); }}}} {
  font = ui::Font::pixels("Verdana", 11, false, ui::kWhite);
  const ui::Font small = ui::Font::pixels("Verdana", 9, false, ui::kWhite);
  const ui::Font heading = ui::Font::pixels("Verdana", 9, true, ui::kWhite);
  place(Label9, 221, 16, "Version 1.21", font, ui::Align::Right);
  place(Label2, 133, 72, "(c) Orvanta Works.", small, ui::Align::Right);
  place(Label3, 201, 88, "All rights reserved.", small, ui::Align::Right);
  place(Label8, 114, 104, "Monitor engine of Kestrel 1.0.", small, ui::Align::Right);
  place(Label4, 16, 139, "Concept, interface and features:", heading);
  place(Label6, 16, 152, "Orvanta Works", font);
  place(Label5, 16, 171, "Online engine and features:", heading);
  place(Label7, 16, 184, "Corvel Software", font);
  place(Label10, 16, 203, "Server interaction and scripting:", heading);
  place(Label11, 16, 216, "Lumetra Inc.", font);
  for (ui::Label* l : {&Label4, &Label5, &Label10}) l->onMouseMove = [this](int x, int y) { FormMouseMove(x, y); };
}

void Taboutfrm::FormMouseMove(int, int) {
  if (!hoverLatch) return;
  hoverLatch = false;
  for (frame::HoverLink& l : links_) l.normal();
  close_.normal();
}
