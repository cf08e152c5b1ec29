// The about window: version, credits and links to the vendor's and the partners' sites.
#pragma once

#include <memory>

#include "app/imagebutton.h"
#include "app/skinnedform.h"

class Taboutfrm : public app::SkinnedForm {
 public:
  explicit Taboutfrm(app::App& app);

  ui::Label Label9{*this, "Label9"};
  ui::Label Label2{*this, "Label2"}, Label3{*this, "Label3"}, Label8{*this, "Label8"};
  ui::Label Label4{*this, "Label4"}, Label6{*this, "Label6"};
  ui::Label Label5{*this, "Label5"}, Label7{*this, "Label7"};
  ui::Label Label10{*this, "Label10"}, Label11{*this, "Label11"};
  ui::Image Image1{*this, "Image1", {216, 208, 313, 232}};
  ui::Label Label1{*this, "Label1"};

 private:
  std::unique_ptr<app::ImageButton> close_;
  void FormMouseMove(int x, int y) override;
};
