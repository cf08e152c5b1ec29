#include "app/aboutfrm.h"

#include <string>

#include "app/version.h"
#include "frame/toollook.h"

using frame::toollook::placeLabel;

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
  placeLabel(Label9, 221, 16, font, std::string("Version ") + app::kVersion, ui::Align::Right);
  placeLabel(Label2, 133, 72, small, app::kNoticeLine1, ui::Align::Right);
  placeLabel(Label3, 201, 88, small, app::kNoticeLine2, ui::Align::Right);
  placeLabel(Label8, 114, 104, small, "Monitor engine of Kestrel 1.0.", ui::Align::Right);
  placeLabel(Label4, 16, 139, heading, "Concept, interface and features:");
  placeLabel(Label6, 16, 152, font, "Orvanta Works");
  placeLabel(Label5, 16, 171, heading, "Online engine and features:");
  placeLabel(Label7, 16, 184, font, "Corvel Software");
  placeLabel(Label10, 16, 203, heading, "Server interaction and scripting:");
  placeLabel(Label11, 16, 216, font, "Lumetra Inc.");
  for (ui::Label* l : {&Label4, &Label5, &Label10}) l->onMouseMove = [this](int x, int y) { FormMouseMove(x, y); };
}

void Taboutfrm::FormMouseMove(int, int) {
  if (!hoverLatch) return;
  hoverLatch = false;
  for (frame::HoverLink& l : links_) l.normal();
  close_.normal();
}
