#include "frame/listheader.h"

#include "frame/toollook.h"

namespace frame {

ListHeader::ListHeader(ui::Shape& frame, ui::ListView& list, const ui::Rect& listBounds)
    : list_(list) {
  list_.viewStyle = ui::ViewStyle::Report;
  list_.showColumnHeaders = false;
  list_.rowSelect = true;
  list_.setFont(toollook::listFont());
  list_.setColor(toollook::kListBack);
  list_.setBounds(listBounds);
  frame.setColors(toollook::kFrameFill, toollook::kFramePen);
  frame.setBounds({listBounds.left, listBounds.top - kFrameAbove, listBounds.right,
                   listBounds.top + kFrameBelow});
}

void ListHeader::add(ui::Label& header, int left, const std::string& caption) {
  const int top = list_.top() - kTextAbove;
  header.setFont(toollook::windowFont());
  header.setBounds({left, top, left, top});
  header.setCaption(caption);
}

}  // namespace frame
