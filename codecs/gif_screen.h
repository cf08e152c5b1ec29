// The screen of a decoded GIF animation as it looks while one of its frames is shown: each
// frame drawn over what the frames before it left, after their disposal. One screen's worth of
// pixels is kept, not one per frame; stepping to the next frame draws only that frame's area.
#pragma once

#include <cstddef>
#include <optional>

#include "codecs/gif.h"
#include "ui/bitmap.h"

namespace codecs {

class GifScreen {
 public:
  // The animation must outlive the screen.
  explicit GifScreen(const GifAnimation& animation);
  GifScreen(const GifScreen&) = delete;
  GifScreen& operator=(const GifScreen&) = delete;

  // The screen while frame `index` shows. Going forward draws the frames in between; going
  // back starts again from the first frame.
  const ui::Bitmap& show(size_t index);

 private:
  const GifAnimation& anim_;
  ui::Bitmap screen_;
  ui::Bitmap saved_;  // what the shown frame covered before it was drawn, when it is restored
  std::optional<size_t> shown_;

  void draw(const GifFrame& frame);
  void dispose(const GifFrame& frame);
};

}  // namespace codecs
