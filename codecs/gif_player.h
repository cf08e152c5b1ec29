// Plays a decoded GIF animation without a window: the owner calls advance() from its own timer
// with the time that passed, repaints when the frame changed and arms the timer again with
// timeToNextFrame().
#pragma once

#include <cstddef>
#include <cstdint>

#include "codecs/gif.h"
#include "codecs/gif_screen.h"

namespace codecs {

class GifPlayer {
 public:
  explicit GifPlayer(GifAnimation animation);

  const GifAnimation& animation() const { return anim_; }
  // The screen while the current frame shows, composited when it is asked for.
  const ui::Bitmap& currentFrame() { return screen_.show(index_); }
  size_t frameIndex() const { return index_; }
  // False once the last frame of the last play shows (at once for a single picture).
  bool playing() const { return !stopped_; }
  // Milliseconds until the next frame is due; -1 when the picture stands still.
  int64_t timeToNextFrame() const { return stopped_ ? -1 : remaining_; }

  // Lets the time pass; returns whether another frame is now shown. A long pause (a hidden
  // window) skips whole plays at once instead of stepping through them.
  bool advance(int64_t elapsedMs);
  // Back to the first frame and the first play.
  void rewind();

 private:
  GifAnimation anim_;
  GifScreen screen_{anim_};
  int64_t playTimeMs_ = 0;  // one pass over every frame
  size_t index_ = 0;
  int64_t remaining_ = 0;   // of the current frame's delay
  int64_t playsLeft_ = 0;   // plays after the current one; unused when endless
  bool endless_ = false;
  bool stopped_ = false;

  void enter(size_t index);
};

}  // namespace codecs
