#include "codecs/dib.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "codecs/littleendian.h"

namespace codecs {
namespace {

constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kBiRgb = 0;

// What the header says about the pixels, checked against the bytes that hold them.
struct Layout {
  int64_t width = 0, height = 0;
  bool topDown = false;
  uint32_t bits = 0;
  uint64_t pixelsAt = 0, stride = 0;
  std::vector<ui::Color> palette;
};

// Empty when the header describes pixels that the bytes hold in full; otherwise the reason.
std::string readLayout(std::string_view bytes, Layout& l) {
  if (bytes.size() < 4) return "bitmap header is cut short";
  const uint32_t headerSize = get32(bytes, 0);
  if (headerSize == 12) return "OS/2 bitmap headers are not supported";
  if (headerSize < kInfoHeaderSize || headerSize > 1024) return "unknown bitmap header size";
  if (bytes.size() < headerSize) return "bitmap header is cut short";

  const int64_t width = static_cast<int32_t>(get32(bytes, 4));
  const int64_t rawHeight = static_cast<int32_t>(get32(bytes, 8));
  const uint32_t planes = get16(bytes, 12);
  const uint32_t bits = get16(bytes, 14);
  const uint32_t compression = get32(bytes, 16);
  const uint32_t colorsUsed = get32(bytes, 32);

  if (planes != 1) return "bitmap must have one plane";
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
    return "unsupported bits per pixel: " + std::to_string(bits);
  if (compression != kBiRgb) return "compressed bitmaps are not supported";
  const bool topDown = rawHeight < 0;
  const int64_t height = topDown ? -rawHeight : rawHeight;
  if (width <= 0 || height <= 0) return "bitmap has no pixels";
  if (width > ui::Bitmap::kMaxSide || height > ui::Bitmap::kMaxSide || width * height > ui::Bitmap::kMaxPixels)
    return "bitmap is too large";

  // Palettised pictures carry their colour table right after the header; true-colour ones may
  // carry an optional one that only matters to palette displays and is skipped.
  uint64_t paletteSize = colorsUsed;
  if (bits <= 8) {
    const uint32_t full = 1u << bits;
    if (paletteSize == 0) paletteSize = full;
    if (paletteSize > full) return "colour table is larger than the pixel depth allows";
  } else if (paletteSize > 65536) {
    return "colour table is too large";
  }
  const uint64_t pixelsAt = headerSize + paletteSize * 4;
  const uint64_t stride = ((static_cast<uint64_t>(width) * bits + 31) / 32) * 4;
  const uint64_t lastRowBytes = (static_cast<uint64_t>(width) * bits + 7) / 8;
  if (pixelsAt + stride * (height - 1) + lastRowBytes > bytes.size()) return "pixel data is cut short";

  l.width = width;
  l.height = height;
  l.topDown = topDown;
  l.bits = bits;
  l.pixelsAt = pixelsAt;
  l.stride = stride;
  if (bits <= 8) {
    l.palette.reserve(paletteSize);
    for (uint64_t i = 0; i < paletteSize; ++i) {
      const size_t at = headerSize + i * 4;
      l.palette.push_back(ui::rgb(static_cast<uint8_t>(bytes[at + 2]), static_cast<uint8_t>(bytes[at + 1]),
                                  static_cast<uint8_t>(bytes[at])));
    }
  }
  return {};
}

// Writes the colours of a part of the picture row by row, each row's to row(y): where the
// part's first pixel of row y goes. False at the first pixel that refers to a colour outside
// the table.
template <class Row>
bool eachRow(std::string_view bytes, const Layout& l, const ui::Rect& part, Row row) {
  const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
  const int n = part.width();
  for (int y = part.top; y < part.bottom; ++y) {
    const uint8_t* src = data + l.pixelsAt + l.stride * static_cast<uint64_t>(l.topDown ? y : l.height - 1 - y);
    ui::Color* out = row(y);
    if (l.bits >= 24) {
      const size_t step = l.bits / 8;
      const uint8_t* p = src + static_cast<size_t>(part.left) * step;
      for (int i = 0; i < n; ++i, p += step) out[i] = ui::rgb(p[2], p[1], p[0]);
      continue;
    }
    for (int i = 0; i < n; ++i) {
      const uint64_t bit = static_cast<uint64_t>(part.left + i) * l.bits;
      const unsigned shift = 8 - l.bits - static_cast<unsigned>(bit % 8);
      const uint32_t index = (src[bit / 8] >> shift) & ((1u << l.bits) - 1);
      if (index >= l.palette.size()) return false;
      out[i] = l.palette[index];
    }
  }
  return true;
}

ui::Rect whole(const Layout& l) { return ui::Rect{0, 0, static_cast<int>(l.width), static_cast<int>(l.height)}; }

constexpr const char* kOutsideTable = "pixel refers to a colour outside the colour table";

DibResult refuse(const std::string& why) {
  DibResult r;
  r.error = why;
  return r;
}

}  // namespace

DibResult decodeDib(std::string_view bytes) {
  Layout l;
  if (auto why = readLayout(bytes, l); !why.empty()) return refuse(why);
  DibResult result;
  ui::Bitmap& out = result.bitmap;
  if (!out.resize(static_cast<int>(l.width), static_cast<int>(l.height))) return refuse("bitmap is too large");
  if (!eachRow(bytes, l, whole(l), [&out](int y) { return out.row(y); }))
    return refuse(kOutsideTable);
  return result;
}

std::string dibError(std::string_view bytes) {
  Layout l;
  if (auto why = readLayout(bytes, l); !why.empty()) return why;
  // A full table leaves no index outside it.
  if (l.bits >= 24 || l.palette.size() == (1u << l.bits)) return {};
  std::vector<ui::Color> row(static_cast<size_t>(l.width));
  return eachRow(bytes, l, whole(l), [&row](int) { return row.data(); }) ? std::string() : kOutsideTable;
}

std::optional<ui::Size> drawDib(std::string_view bytes, ui::Bitmap& target, int x, int y, const ui::Rect& area) {
  Layout l;
  if (!readLayout(bytes, l).empty()) return std::nullopt;
  const ui::Size size{static_cast<int>(l.width), static_cast<int>(l.height)};
  // The part of the picture that lands inside the area and the target, in its own coordinates.
  const ui::Rect part{std::max(area.left, 0) - x, std::max(area.top, 0) - y,
                      std::min(area.right, target.width()) - x, std::min(area.bottom, target.height()) - y};
  const ui::Rect drawn{std::max(part.left, 0), std::max(part.top, 0), std::min(part.right, size.width),
                       std::min(part.bottom, size.height)};
  if (drawn.empty()) return size;
  if (!eachRow(bytes, l, drawn, [&](int py) { return target.row(py + y) + drawn.left + x; }))
    return std::nullopt;
  return size;
}

}  // namespace codecs
