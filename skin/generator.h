// Makes every picture and sound of the skin library by name (skin/resources.h).
#pragma once

#include <string>

#include "ui/bitmap.h"

namespace skin {

// The picture at the size the resource list gives; std::invalid_argument for a name that is
// not a picture of the skin.
ui::Bitmap makePicture(const std::string& name);
// The WAV file; std::invalid_argument for a name that is not a sound of the skin.
std::string makeSound(const std::string& name);

}  // namespace skin
