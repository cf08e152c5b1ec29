// Where the notification popup stands: in the bottom-right corner of the screen, clear of the
// taskbar.
#pragma once

#include <optional>

#include "ui/bitmap.h"

namespace monitor {

// The popup's rectangle on a screen of the given size. A taskbar along the bottom edge lifts
// the popup by its height, one along the right edge moves it left by its width; a taskbar at
// the top or the left leaves the corner free. (A side taskbar is as tall as the screen: taking
// its height would put the popup above the screen.)
ui::Rect popupPlace(int screenWidth, int screenHeight, int width, int height,
                    const std::optional<ui::Rect>& taskbar);

}  // namespace monitor
