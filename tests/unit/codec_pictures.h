// Pictures made by the codec tests themselves, encoded with giflib's and libjpeg's own
// encoders, so each test states exactly what the file holds.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/bitmap.h"

namespace testpics {

struct GifFramePlan {
  int left = 0, top = 0, width = 1, height = 1;
  std::vector<uint8_t> pixels;       // width × height colour indexes, top row first
  std::vector<ui::Color> localMap;   // empty: the frame uses the global map
  bool control = true;               // write a graphic control extension
  int disposal = 0;
  int delayCs = 10;
  int transparent = -1;
  bool interlace = false;
};

struct GifPlan {
  int width = 1, height = 1;
  std::vector<ui::Color> globalMap;  // empty: no global map
  int background = 0;
  int loops = -1;                    // -1: no NETSCAPE2.0 extension
  bool gif89 = true;
  bool trailer = true;
  std::vector<GifFramePlan> frames;
};

GifFramePlan solidFrame(int left, int top, int width, int height, uint8_t index);
std::string encodeGif(const GifPlan& picture);

// Cmyk and Ycck both carry Adobe's marker with inverted inks; TwoChannels is a colour space
// no viewer knows.
enum class JpegColour { Rgb, Grey, Cmyk, Ycck, TwoChannels };
struct JpegPlan {
  int width = 16, height = 16;
  JpegColour colour = JpegColour::Rgb;
  int quality = 95;
  bool progressive = false;
  int acScans = -1;  // >= 0: a progressive script of one DC scan and this many single-band AC scans
  std::function<ui::Color(int x, int y)> pixel = [](int, int) { return ui::rgb(200, 40, 40); };
};
std::string encodeJpeg(const JpegPlan& picture);
// The same picture with its frame header claiming another size (no pixels change).
std::string withJpegSize(std::string jpeg, int width, int height);

// Channel-wise distance, for lossy comparisons.
int colourDistance(ui::Color a, ui::Color b);

}  // namespace testpics
