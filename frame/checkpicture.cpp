#include "frame/checkpicture.h"

namespace frame {

CheckPicture::CheckPicture(const Skin& skin, ui::Image& image, std::string base)
    : skin_(skin), image_(image), base_(std::move(base)) {}

void CheckPicture::show(State s, bool hoverPicture) {
  state_ = s;
  skin_.load(image_, base_ + (excluded() ? "_uchk" : "_chk") + (hoverPicture ? "_over" : ""));
}

void CheckPicture::reset(bool excluded) {
  show(excluded ? State::Excluded : State::IncludedUnderMouse, false);
}

void CheckPicture::hover() {
  if (state_ == State::Included) show(State::IncludedUnderMouse, true);
  else if (state_ == State::Excluded) show(State::ExcludedUnderMouse, true);
}

void CheckPicture::leave() {
  if (state_ == State::IncludedUnderMouse) show(State::Included, false);
  else if (state_ == State::ExcludedUnderMouse) show(State::Excluded, false);
}

bool CheckPicture::click() {
  if (state_ == State::Included) return false;
  // An excluded item comes back under the mouse; an included one is excluded and shown in
  // the plain excluded state, though with its hover picture.
  if (excluded()) show(State::IncludedUnderMouse, true);
  else show(State::Excluded, true);
  return true;
}

}  // namespace frame
