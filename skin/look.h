// The skin's one look: its colours and the pieces every picture is built from.
#pragma once

#include <string>

#include "ui/bitmap.h"

namespace skin::look {

// Colours the windows themselves use, so the pictures agree with them.
constexpr ui::Color kListBack = ui::rgb(215, 227, 243);
constexpr ui::Color kFrameFill = ui::rgb(104, 159, 221);
constexpr ui::Color kFramePen = ui::rgb(48, 107, 173);
constexpr ui::Color kHighlight = ui::rgb(146, 176, 217);
constexpr ui::Color kBarPen = ui::rgb(138, 162, 195);
constexpr ui::Color kBarFill = ui::rgb(175, 203, 240);
constexpr ui::Color kEditBack = ui::rgb(181, 217, 247);

// The skin's own: the deep blue behind white text, and the light face of the dashboard.
constexpr ui::Color kBody = ui::rgb(38, 72, 128);
constexpr ui::Color kBodyLight = ui::rgb(52, 92, 154);
constexpr ui::Color kSidebar = ui::rgb(58, 100, 164);
constexpr ui::Color kFooter = ui::rgb(28, 56, 102);
constexpr ui::Color kDashboard = ui::rgb(230, 237, 247);
constexpr ui::Color kPanel = ui::kWhite;
constexpr ui::Color kPanelEdge = ui::rgb(175, 203, 240);
constexpr ui::Color kInk = ui::rgb(34, 64, 116);  // dark lettering on light faces
constexpr ui::Color kAccent = ui::rgb(255, 196, 64);  // hover glow

// The header gradient, by row: pictures laid on the header take the same colours.
ui::Color headerColor(int y, int height);
void headerBand(ui::Bitmap& bmp, const ui::Rect& r);
// The kestrel mark: a stylised bird in a disc, `size` pixels across.
void mark(ui::Bitmap& bmp, int x, int y, int size);
// Mark and product name; scale 1 or 2 for the name's second line.
void logo(ui::Bitmap& bmp, int x, int y, int nameScale);
// A white panel with a blue title strip.
void titledPanel(ui::Bitmap& bmp, const ui::Rect& r, const std::string& title, int titleHeight);
// A recessed well behind a list, memo or bar on a dark window.
void well(ui::Bitmap& bmp, const ui::Rect& r);
// A light rounded panel behind navy text on a dark window.
void notePanel(ui::Bitmap& bmp, const ui::Rect& r);
// The base of every dark window: body colour, a thin title band, a footer.
void darkBase(ui::Bitmap& bmp, int titleBandHeight);

}  // namespace skin::look
