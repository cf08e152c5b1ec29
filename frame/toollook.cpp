#include "frame/toollook.h"

namespace frame::toollook {
namespace {

void textBox(ui::Label& label, const ui::Rect& box, ui::Color color) {
  label.setFont(ui::Font::pixels("Verdana", 11, true, color));
  label.setAutoSize(false);
  label.setWordWrap(true);
  label.setBounds(box);
}

}  // namespace

void description(ui::Label& label, const ui::Rect& box) { textBox(label, box, ui::kNavy); }

void countLine(ui::Label& label, const ui::Rect& box) { textBox(label, box, ui::kWhite); }

}  // namespace frame::toollook
