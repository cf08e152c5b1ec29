// Small drawn symbols, each in a square of `size` pixels with its top-left at (x, y).
#pragma once

#include "ui/bitmap.h"

namespace skin::icons {

void bin(ui::Bitmap& bmp, int x, int y, int size);         // temporary-file cleaner
void blocks(ui::Bitmap& bmp, int x, int y, int size);      // registry grid (startup manager)
void gear(ui::Bitmap& bmp, int x, int y, int size, ui::Color c);  // processes, preferences
void folder(ui::Bitmap& bmp, int x, int y, int size);
void computer(ui::Bitmap& bmp, int x, int y, int size);    // system information
void bubbles(ui::Bitmap& bmp, int x, int y, int size);     // forum
void warning(ui::Bitmap& bmp, int x, int y, int size);     // yellow triangle
void document(ui::Bitmap& bmp, int x, int y, int size);
void globe(ui::Bitmap& bmp, int x, int y, int size, ui::Color sea);
void brokenPicture(ui::Bitmap& bmp, int x, int y, int size);
void user(ui::Bitmap& bmp, int x, int y, int size);
void broom(ui::Bitmap& bmp, int x, int y, int size);

}  // namespace skin::icons
