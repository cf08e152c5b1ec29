// A tool window's list: borderless, without column headers, whole rows selected, navy on pale
// blue, under a frame with curved corners that carries the header texts. The list covers the
// frame's lower corners, so only the upper ones show.
#pragma once

#include <string>

#include "ui/control.h"
#include "ui/windowed.h"

namespace frame {

class ListHeader {
 public:
  // The frame rises this far above the list and reaches this far under it.
  static constexpr int kFrameAbove = 21, kFrameBelow = 8;
  // Header texts stand this far above the list.
  static constexpr int kTextAbove = 17;

  // The frame must come before the header texts in the window's order.
  ListHeader(ui::Shape& frame, ui::ListView& list, const ui::Rect& listBounds);

  // A header text at left, in the window's lettering.
  void add(ui::Label& header, int left, const std::string& caption);

 private:
  ui::ListView& list_;
};

}  // namespace frame
