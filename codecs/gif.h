// GIF87a and GIF89a pictures, animated or not, decoded into their frames as the file has them:
// each frame the colour indexes of the part of the screen it paints. GifScreen (gif_screen.h)
// composites them into what the screen shows while a frame is shown.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/files.h"
#include "ui/bitmap.h"

namespace codecs {

// What becomes of a frame's part of the screen before the next frame is drawn.
enum class GifDisposal { Keep, Background, Previous };

struct GifFrame {
  ui::Rect area;                   // the part of the screen it paints, clipped to the screen
  std::vector<uint8_t> indexes;    // area.width() x area.height() colour indexes, row by row
  std::array<ui::Color, 256> palette{};  // indexes past the file's colour map show black
  int transparent = -1;            // the index that leaves what lies beneath, or -1
  GifDisposal disposal = GifDisposal::Keep;
  int delayMs = 0;                 // how long the frame stays, at least kGifMinDelayMs
};

struct GifAnimation {
  int width = 0, height = 0;
  // The "NETSCAPE2.0" loop count: -1 without the extension (the frames play once), 0 for
  // endless play, n for n repetitions after the first play.
  int loopCount = -1;
  // The colour painted where no frame has drawn yet and where a frame is restored to the
  // background. When a frame has transparent pixels, the composited screen carries it as its
  // transparent colour, so a caller may draw it over something else.
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
// this many frames, and the screen area times the frame count within kGifMaxAnimationPixels,
// which leaves an animated banner of 468 x 60 about 600 frames.
constexpr int kGifMaxFrames = 1000;
constexpr int64_t kGifMaxAnimationPixels = 16LL * 1024 * 1024;

// Throws DecodeError for anything that is not a complete picture. A file that ends right after
// a complete frame (no trailer) still decodes; one cut inside a frame does not.
GifAnimation decodeGif(const std::string& bytes);
GifAnimation decodeGifFile(platform::Files& files, const std::string& path);

}  // namespace codecs
