// The about window: version, credits and links to the vendor's and the partners' sites.
#pragma once

#include <array>

#include "app/window.h"
#include "frame/hoverlink.h"
#include "frame/standardbutton.h"

class Taboutfrm : public app::Window {
 public:
  explicit Taboutfrm(app::App& app);

  // Version, legal notice and credit line.
  ui::Label Label9{*this, "Label9"};
  ui::Label Label2{*this, "Label2"}, Label3{*this, "Label3"}, Label8{*this, "Label8"};
  // Headings (Label4, Label5, Label10), each above its link (Label6, Label7, Label11).
  ui::Label Label4{*this, "Label4"}, Label6{*this, "Label6"};
  ui::Label Label5{*this, "Label5"}, Label7{*this, "Label7"};
  ui::Label Label10{*this, "Label10"}, Label11{*this, "Label11"};
  // The Close button: face and caption.
  ui::Image Image1{*this, "Image1"};
  ui::Label Label1{*this, "Label1"};

 private:
  frame::StandardButton close_;
  std::array<frame::HoverLink, 3> links_;
  void FormMouseMove(int x, int y) override;
};
