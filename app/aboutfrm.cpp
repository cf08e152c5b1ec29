#include "app/aboutfrm.h"

namespace {

void place(ui::Label& l, int x, int y, const std::string& caption, const ui::Font& f, ui::Align a = ui::Align::Left) {
  l.alignment = a;
  l.font = f;
  l.setBounds({x, y, x, y});
  l.setCaption(caption);
}

}  // namespace

Taboutfrm::Taboutfrm(app::App& app)
    : SkinnedForm(app, "Taboutfrm", "aboutfrm", 335, 254, "About Orvanta Kestrel...", "about_form") {
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

  Image1.autoSize = true;
  close_ = std::make_unique<app::ImageButton>(skin(), Image1, "stand_btn", hoverLatch);
  close_->normal();
  Label1.autoSize = false;
  Label1.alignment = ui::Align::Center;
  Label1.font = ui::Font::pixels("Verdana", 9, true, ui::kGray);
  Label1.setBounds({216, 214, 313, 226});
  Label1.setCaption("Close");
  for (ui::Control* c : std::initializer_list<ui::Control*>{&Image1, &Label1})
    close_->bind(*c, [this] { close(); });

  struct Link {
    ui::Label& label;
    std::string address;
    bool quiet;
  };
  const Link links[] = {{Label6, app.config.vendorSite, false},
                        {Label7, app.config.partnerSite1, true},
                        {Label11, app.config.partnerSite2, false}};
  for (const Link& l : links) {
    ui::Label* label = &l.label;
    label->cursor = ui::Cursor::Hand;
    label->onMouseMove = [this, label](int, int) {
      if (hoverLatch) return;
      label->setUnderline(true);
      hoverLatch = true;
    };
    label->onClick = [this, address = l.address, quiet = l.quiet] {
      if (quiet) app_.openUrlQuietly(this, address);
      else app_.openUrl(this, address, app::urlFailure(address));
    };
  }
  for (ui::Label* l : {&Label4, &Label5, &Label10}) l->onMouseMove = [this](int x, int y) { FormMouseMove(x, y); };
}

void Taboutfrm::FormMouseMove(int, int) {
  if (!hoverLatch) return;
  hoverLatch = false;
  for (ui::Label* l : {&Label6, &Label7, &Label11}) l->setUnderline(false);
  close_->normal();
}
