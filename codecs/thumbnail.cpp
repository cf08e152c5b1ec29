#include "codecs/thumbnail.h"

#include "codecs/decode_error.h"
#include "codecs/picture_limits.h"
#include "ui/canvas.h"

namespace codecs {

// The proportion is computed in integers: the same truncation as dividing by the scale
// factor, without a floating-point quotient landing a hair below a whole number.
ui::Rect FitRect(int width, int height, int side) {
  if (width <= 0 || height <= 0) return ui::Rect{};
  if (height < width) {
    const int h = static_cast<int>(static_cast<int64_t>(height) * side / width);
    const int top = (side - h) / 2;
    return ui::Rect{0, top, side, top + h};
  }
  const int w = static_cast<int>(static_cast<int64_t>(width) * side / height);
  const int left = (side - w) / 2;
  return ui::Rect{left, 0, left + w, side};
}

int thumbnailScale(JpegDecoder& jpeg, int side) {
  for (int denominator : {8, 4, 2}) {
    const ui::Size s = jpeg.sizeAt(denominator);
    if (s.width > side || s.height > side) return denominator;
  }
  return 1;
}

Thumbnail MakeThumbnail(const std::string& jpegBytes, int side) {
  Thumbnail t;
  if (!t.picture.resize(side, side, kThumbnailBackground)) throw DecodeError("Thumbnail is too large");
  JpegDecoder jpeg(jpegBytes);
  const ui::Bitmap decoded = jpeg.decode(thumbnailScale(jpeg, side));
  const ui::Rect r = FitRect(decoded.width(), decoded.height(), side);
  ui::Canvas(t.picture).stretchDraw(r, decoded, false);
  t.width = r.width();
  t.height = r.height();
  return t;
}

Thumbnail MakeThumbnail(platform::Files& files, const std::string& path, int side) {
  const auto bytes = files.readFile(path, kMaxPictureFileBytes);
  if (!bytes) throw DecodeError("Unable to read " + path);
  return MakeThumbnail(*bytes, side);
}

}  // namespace codecs
