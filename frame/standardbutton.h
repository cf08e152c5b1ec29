// The standard dialog button (OK, Cancel, Close and the like): the "stand_btn" picture with a
// centred grey caption label on top that routes its mouse events to the same handlers. A
// disabled button draws its caption dimmed and ignores the mouse.
#pragma once

#include <functional>
#include <string>

#include "frame/imagebutton.h"
#include "ui/control.h"

namespace frame {

class StandardButton {
 public:
  static constexpr int kWidth = 97, kHeight = 24;

  // Places the face at (x, y) with its caption and shows the normal picture.
  StandardButton(const Skin& skin, ui::Image& face, ui::Label& caption, bool& hoverLatch, int x, int y,
                 const std::string& text, std::function<void()> action);
  StandardButton(const StandardButton&) = delete;
  StandardButton& operator=(const StandardButton&) = delete;

  void normal() { button_.normal(); }
  void setEnabled(bool enabled);
  bool enabled() const { return face_.enabled(); }

 private:
  ImageButton button_;
  ui::Image& face_;
  ui::Label& caption_;
};

}  // namespace frame
