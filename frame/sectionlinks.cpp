#include "frame/sectionlinks.h"

#include "frame/toollook.h"

namespace frame {

SectionLinks::SectionLinks(ui::Image& bar, bool& hoverLatch) : bar_(bar), latch_(hoverLatch) {
  bar_.setPicture(ui::Bitmap(kBarWidth, kBarHeight, toollook::kBarFill));
  bar_.setBounds({kBarLeft, 0, kBarLeft + kBarWidth, kBarHeight});
}

void SectionLinks::add(ui::Label& link, const std::string& caption, int top,
                       std::function<void()> action) {
  link.setFont(toollook::windowFont());
  link.setBounds({kLinkLeft, top, kLinkLeft, top});
  link.setCaption(caption);
  links_.emplace_back(link, latch_, std::move(action));
}

void SectionLinks::highlight(const ui::Label& link) { bar_.setTop(link.top() - kBarAbove); }

void SectionLinks::normal() {
  for (HoverLink& l : links_) l.normal();
}

}  // namespace frame
