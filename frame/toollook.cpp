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

void placeLabel(ui::Label& label, int x, int y, const ui::Font& font, const std::string& caption, ui::Align align) {
  label.setAlignment(align);
  label.setFont(font);
  label.setBounds({x, y, x, y});
  label.setCaption(caption);
}

}  // namespace frame::toollook
