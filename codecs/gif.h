// GIF87a and GIF89a pictures, animated or not, decoded into whole frames: each frame is the
// logical screen as it looks while that frame is shown, after the disposal of the frames
// before it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/files.h"
#include "ui/bitmap.h"

namespace codecs {

struct GifFrame {
  ui::Bitmap image;  // the whole logical screen
  int delayMs = 0;   // how long the frame stays, at least kGifMinDelayMs
};

struct GifAnimation {
  int width = 0, height = 0;
  // The "NETSCAPE2.0" loop count: -1 without the extension (the frames play once), 0 for
  // endless play, n for n repetitions after the first play.
  int loopCount = -1;
  // The colour painted where no frame has drawn yet and where a frame is restored to the
  // background. Frames whose pictures have transparent pixels carry it as their transparent
  // colour, so a caller may draw them over something else.
  ui::Color background = ui::kBlack;
  bool hasTransparency = false;
  std::vector<GifFrame> frames;  // never empty after a successful decode
};

// Delays of 0 and 1 hundredths of a second are meant as "as fast as you can" by the tools that
// write them; played literally they spin a timer, so any delay below kGifMinDelayMs stands for
// kGifShortDelayMs, as web browsers play them.
constexpr int kGifMinDelayMs = 20;
constexpr int kGifShortDelayMs = 100;
// Hostile pictures are bounded: the screen and every frame within kMaxPicturePixels, at most
// this many frames, and the composited frames together (screen area times frame count) within
// kGifMaxAnimationPixels: 64 MB as bitmaps, which leaves an animated banner of 468 x 60 about
// 600 frames.
constexpr int kGifMaxFrames = 1000;
constexpr int64_t kGifMaxAnimationPixels = 16LL * 1024 * 1024;

// Throws DecodeError for anything that is not a complete picture. A file that ends right after
// a complete frame (no trailer) still decodes; one cut inside a frame does not.
GifAnimation decodeGif(const std::string& bytes);
GifAnimation decodeGifFile(platform::Files& files, const std::string& path);

}  // namespace codecs
