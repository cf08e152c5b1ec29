// The look the tool windows share: white bold lettering on the dark skin, navy text on the pale
// blue of their lists and notes, the highlight bar behind the active section and the frame with
// curved corners that carries a list's header texts.
#pragma once

#include <string>

#include "ui/bitmap.h"
#include "ui/control.h"
#include "ui/font.h"

namespace frame::toollook {

constexpr ui::Color kListBack = ui::rgb(215, 227, 243);
constexpr ui::Color kBarFill = ui::rgb(146, 176, 217);
constexpr ui::Color kFrameFill = ui::rgb(104, 159, 221);
constexpr ui::Color kFramePen = ui::rgb(48, 107, 173);

// The windows' own lettering: bold white Verdana 11 pixels high.
inline ui::Font windowFont() { return ui::Font::pixels("Verdana", 11, true, ui::kWhite); }
// Lists and the report: navy Verdana 9 pixels high.
inline ui::Font listFont() { return ui::Font::pixels("Verdana", 9, false, ui::kNavy); }

// A section's description: navy, word-wrapped, in a fixed box on the skin's note panel.
void description(ui::Label& label, const ui::Rect& box);
// A count line under the list: white, word-wrapped, in a fixed box.
void countLine(ui::Label& label, const ui::Rect& box);
// A label that sizes itself to its caption, its top-left corner at x, y.
void placeLabel(ui::Label& label, int x, int y, const ui::Font& font, const std::string& caption = {},
                ui::Align align = ui::Align::Left);

}  // namespace frame::toollook
