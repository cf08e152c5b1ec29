// The painters behind the generator, one file per kind of picture. Each paints the named
// picture into a bitmap already sized from the resource list and answers false for a name
// that is not of its kind.
#pragma once

#include <string>

#include "ui/bitmap.h"

namespace skin {

bool paintBackground(const std::string& name, ui::Bitmap& bmp);
bool paintButton(const std::string& name, ui::Bitmap& bmp);
bool paintSwitch(const std::string& name, ui::Bitmap& bmp);
bool paintGlyph(const std::string& name, ui::Bitmap& bmp);

// Pieces that a background and a picture lying on it must draw alike.
enum class Tile { Software, Hardware };
void toolTile(ui::Bitmap& bmp, const ui::Rect& r, Tile tile, bool hover);
void memoryTrough(ui::Bitmap& bmp, const ui::Rect& r);
constexpr ui::Color kSwitchBack = ui::rgb(48, 86, 146);  // behind the preference switches

}  // namespace skin
