// A check picture: an item that is included or excluded, drawn as base + "_chk" or "_uchk",
// with "_over" added while the mouse is over it. A click toggles it only once the item has
// shown its hover state, so the first move onto an item right after start-up changes nothing
// visible: an included item starts out in the hover state with the plain picture.
#pragma once

#include <string>

#include "frame/skin.h"
#include "ui/control.h"

namespace frame {

class CheckPicture {
 public:
  enum class State { Included, IncludedUnderMouse, Excluded, ExcludedUnderMouse };

  CheckPicture(const Skin& skin, ui::Image& image, std::string base);

  // Puts the item in its starting state with the plain picture.
  void reset(bool excluded);
  // The mouse moved onto the item / left it for another item or the background.
  void hover();
  void leave();
  // Toggles the item when it is under the mouse or excluded; false when nothing changed.
  bool click();

  bool excluded() const { return state_ == State::Excluded || state_ == State::ExcludedUnderMouse; }
  State state() const { return state_; }
  ui::Image& image() { return image_; }

 private:
  const Skin& skin_;
  ui::Image& image_;
  std::string base_;
  State state_ = State::IncludedUnderMouse;
  void show(State s, bool hoverPicture);
};

}  // namespace frame
