#include "codecs/dib.h"

#include <cstdint>
#include <vector>

#include "codecs/littleendian.h"

namespace codecs {
namespace {

constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kBiRgb = 0;

DibResult refuse(const std::string& why) {
  DibResult r;
  r.error = why;
  return r;
}

}  // namespace

DibResult decodeDib(const std::string& bytes) {
  if (bytes.size() < 4) return refuse("bitmap header is cut short");
  const uint32_t headerSize = get32(bytes, 0);
  if (headerSize == 12) return refuse("OS/2 bitmap headers are not supported");
  if (headerSize < kInfoHeaderSize || headerSize > 1024) return refuse("unknown bitmap header size");
  if (bytes.size() < headerSize) return refuse("bitmap header is cut short");

  const int64_t width = static_cast<int32_t>(get32(bytes, 4));
  const int64_t rawHeight = static_cast<int32_t>(get32(bytes, 8));
  const uint32_t planes = get16(bytes, 12);
  const uint32_t bits = get16(bytes, 14);
  const uint32_t compression = get32(bytes, 16);
  const uint32_t colorsUsed = get32(bytes, 32);

  if (planes != 1) return refuse("bitmap must have one plane");
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
    return refuse("unsupported bits per pixel: " + std::to_string(bits));
  if (compression != kBiRgb) return refuse("compressed bitmaps are not supported");
  const bool topDown = rawHeight < 0;
  const int64_t height = topDown ? -rawHeight : rawHeight;
  if (width <= 0 || height <= 0) return refuse("bitmap has no pixels");
  if (width > ui::Bitmap::kMaxSide || height > ui::Bitmap::kMaxSide ||
      width * height > ui::Bitmap::kMaxPixels)
    return refuse("bitmap is too large");

  // Palettised pictures carry their colour table right after the header; true-colour ones may
  // carry an optional one that only matters to palette displays and is skipped.
  uint64_t paletteSize = colorsUsed;
  if (bits <= 8) {
    const uint32_t full = 1u << bits;
    if (paletteSize == 0) paletteSize = full;
    if (paletteSize > full) return refuse("colour table is larger than the pixel depth allows");
  } else if (paletteSize > 65536) {
    return refuse("colour table is too large");
  }
  const uint64_t pixelsAt = headerSize + paletteSize * 4;
  const uint64_t stride = ((static_cast<uint64_t>(width) * bits + 31) / 32) * 4;
  const uint64_t lastRowBytes = (static_cast<uint64_t>(width) * bits + 7) / 8;
  if (pixelsAt + stride * (height - 1) + lastRowBytes > bytes.size())
    return refuse("pixel data is cut short");

  std::vector<ui::Color> palette;
  if (bits <= 8) {
    palette.reserve(paletteSize);
    for (uint64_t i = 0; i < paletteSize; ++i) {
      const size_t at = headerSize + i * 4;
      palette.push_back(ui::rgb(static_cast<uint8_t>(bytes[at + 2]), static_cast<uint8_t>(bytes[at + 1]),
                                static_cast<uint8_t>(bytes[at])));
    }
  }

  DibResult result;
  ui::Bitmap& out = result.bitmap;
  if (!out.resize(static_cast<int>(width), static_cast<int>(height))) return refuse("bitmap is too large");
  const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
  for (int64_t r = 0; r < height; ++r) {
    const uint8_t* src = data + pixelsAt + stride * r;
    uint32_t* dst = out.row(static_cast<int>(topDown ? r : height - 1 - r));
    for (int64_t x = 0; x < width; ++x) {
      if (bits >= 24) {
        const uint8_t* p = src + x * (bits / 8);
        dst[x] = ui::rgb(p[2], p[1], p[0]);
        continue;
      }
      const uint64_t bit = static_cast<uint64_t>(x) * bits;
      const unsigned shift = 8 - bits - static_cast<unsigned>(bit % 8);
      const uint32_t index = (src[bit / 8] >> shift) & ((1u << bits) - 1);
      if (index >= palette.size()) return refuse("pixel refers to a colour outside the colour table");
      dst[x] = palette[index];
    }
  }
  return result;
}

}  // namespace codecs
