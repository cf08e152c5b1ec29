// The section links down a tool window's sidebar: labels that act as links (the hand cursor, the
// underline while the mouse is over one, ruled by the window's hover latch) and the highlight
// bar that stands behind the link of the open section.
#pragma once

#include <deque>
#include <functional>
#include <string>

#include "frame/hoverlink.h"
#include "ui/control.h"

namespace frame {

class SectionLinks {
 public:
  static constexpr int kLinkLeft = 32;
  static constexpr int kBarLeft = 13, kBarWidth = 205, kBarHeight = 25;
  // The bar's top lies this far above the top of the link it stands behind.
  static constexpr int kBarAbove = 6;

  // The bar must come before the links in the window's order, so it is painted under them.
  SectionLinks(ui::Image& bar, bool& hoverLatch);
  SectionLinks(const SectionLinks&) = delete;
  SectionLinks& operator=(const SectionLinks&) = delete;

  // A link at (kLinkLeft, top) in the window's lettering.
  void add(ui::Label& link, const std::string& caption, int top, std::function<void()> action);
  // Moves the bar behind the link.
  void highlight(const ui::Label& link);
  // Every link without its underline.
  void normal();

 private:
  ui::Image& bar_;
  bool& latch_;
  std::deque<HoverLink> links_;
};

}  // namespace frame
