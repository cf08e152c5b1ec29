#include "codecs/gif_player.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace codecs {

GifPlayer::GifPlayer(GifAnimation animation) : anim_(std::move(animation)) {
  if (anim_.frames.empty()) throw std::invalid_argument("GifPlayer needs at least one frame");
  for (const GifFrame& f : anim_.frames) {
    if (f.delayMs <= 0) throw std::invalid_argument("GifPlayer needs positive frame delays");
    playTimeMs_ += f.delayMs;
  }
  rewind();
}

void GifPlayer::rewind() {
  endless_ = anim_.loopCount == 0;
  playsLeft_ = std::max(anim_.loopCount, 0);
  stopped_ = false;
  enter(0);
}

void GifPlayer::enter(size_t index) {
  index_ = index;
  remaining_ = anim_.frames[index].delayMs;
  const bool last = index_ + 1 == anim_.frames.size();
  if (anim_.frames.size() == 1 || (last && !endless_ && playsLeft_ == 0)) stopped_ = true;
}

bool GifPlayer::advance(int64_t elapsedMs) {
  const size_t before = index_;
  while (!stopped_ && elapsedMs >= remaining_) {
    elapsedMs -= remaining_;
    if (index_ + 1 < anim_.frames.size()) {
      enter(index_ + 1);
      continue;
    }
    int64_t plays = 1 + elapsedMs / playTimeMs_;
    if (!endless_) plays = std::min(plays, playsLeft_);
    if (!endless_) playsLeft_ -= plays;
    elapsedMs -= (plays - 1) * playTimeMs_;
    enter(0);
  }
  if (!stopped_) remaining_ -= std::max<int64_t>(elapsedMs, 0);
  return index_ != before;
}

}  // namespace codecs
