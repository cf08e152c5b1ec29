// The program's own resources that are not in the skin library: the hand cursor and the
// application icon, as the .cur and .ico files a resource compiler reads.
#pragma once

#include <string>

namespace skin {

constexpr int kCursorSize = 32;
constexpr int kHandHotX = 5, kHandHotY = 0;  // the tip of the pointing finger

// "hacursor": 32 × 32, monochrome, with a transparent surround.
std::string handCursorFile();
// "MAINICON": the kestrel mark at 16, 32 and 48 pixels, 32-bit with alpha.
std::string appIconFile();

}  // namespace skin
