#include "skin/dib.h"

#include <cstdint>

#include "skin/bytes.h"

namespace skin {
namespace {

using namespace bytes;

constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kBiRgb = 0;
constexpr int kPelsPerMeter = 2835;  // 72 dots per inch

size_t stride24(int width) { return (static_cast<size_t>(width) * 3 + 3) & ~size_t{3}; }

}  // namespace

std::string encodeDib(const ui::Bitmap& bitmap) {
  const int w = bitmap.width(), h = bitmap.height();
  const size_t stride = stride24(w);
  std::string out;
  out.reserve(kInfoHeaderSize + stride * h);
  put32(out, kInfoHeaderSize);
  put32(out, static_cast<uint32_t>(w));
  put32(out, static_cast<uint32_t>(h));
  put16(out, 1);   // planes
  put16(out, 24);  // bits per pixel
  put32(out, kBiRgb);
  put32(out, static_cast<uint32_t>(stride * h));
  put32(out, kPelsPerMeter);
  put32(out, kPelsPerMeter);
  put32(out, 0);  // colours used
  put32(out, 0);  // colours important
  for (int y = h - 1; y >= 0; --y) {
    const uint32_t* row = bitmap.row(y);
    for (int x = 0; x < w; ++x) {
      out += static_cast<char>(row[x] & 255);
      out += static_cast<char>((row[x] >> 8) & 255);
      out += static_cast<char>((row[x] >> 16) & 255);
    }
    out.append(stride - static_cast<size_t>(w) * 3, '\0');
  }
  return out;
}

std::string encodeBmpFile(const ui::Bitmap& bitmap) {
  const std::string dib = encodeDib(bitmap);
  std::string out = "BM";
  put32(out, static_cast<uint32_t>(kFileHeaderSize + dib.size()));
  put32(out, 0);  // two reserved words
  put32(out, kFileHeaderSize + kInfoHeaderSize);
  return out + dib;
}

}  // namespace skin
