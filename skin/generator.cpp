#include "skin/generator.h"

#include <stdexcept>

#include "skin/painters.h"
#include "skin/resources.h"
#include "skin/sounds.h"

namespace skin {

ui::Bitmap makePicture(const std::string& name) {
  const Resource* r = findResource(name);
  if (!r || r->kind != Kind::Picture) throw std::invalid_argument("the skin has no picture named " + name);
  ui::Bitmap bmp(r->width, r->height);
  for (auto painter : {paintBackground, paintButton, paintSwitch, paintGlyph})
    if (painter(name, bmp)) return bmp;
  throw std::logic_error("no painter draws the listed picture " + name);
}

std::string makeSound(const std::string& name) {
  if (name == "warning") return warningChime();
  if (name == "photoclick") return cameraClick();
  throw std::invalid_argument("the skin has no sound named " + name);
}

}  // namespace skin
