// A slim scroll bar in the skin's look, for rows that a window lays out itself: an arrow at each
// end, a trough, and a thumb whose length tells how much of the list shows. An arrow moves one
// row, the trough beside the thumb a page, the thumb follows a drag, and the wheel moves three
// rows a notch. It hides while every row shows.
#pragma once

#include <algorithm>
#include <functional>
#include <optional>
#include <string>

#include "ui/control.h"

namespace frame {

class ScrollBar : public ui::Control {
 public:
  static constexpr int kWidth = 9;
  // A notch of the wheel, and the rows it moves: Windows' own default of lines.
  static constexpr int kNotch = 120, kRowsPerNotch = 3;

  ScrollBar(ui::Form& owner, std::string name, const ui::Rect& bounds);

  // rows in all, page of them shown at once; the position stays within what may be first.
  void setRange(int rows, int page);
  // The first row shown.
  int position() const { return position_; }
  void scrollTo(int first);
  // A turn of the wheel: positive away from the user (up the list), in notches of kNotch.
  void wheel(int delta);

  // The position changed.
  std::function<void()> onScroll;

  void paint(ui::Canvas& canvas) override;
  std::optional<std::string> property(const std::string& name) const override;

 private:
  static constexpr int kMinThumb = 8;
  int rows_ = 0, page_ = 0, position_ = 0;
  // Turns of less than a notch, kept until they make one.
  int wheelRest_ = 0;
  // While the thumb is dragged: where in it the mouse took it.
  std::optional<int> grab_;

  int last() const { return rows_ > page_ ? rows_ - page_ : 0; }
  int trackLength() const { return std::max(height() - 2 * kWidth, 0); }
  int thumbLength() const;
  // The thumb's top, from the control's top.
  int thumbTop() const;
  void pressed(int y);
  void dragged(int y);
};

}  // namespace frame
