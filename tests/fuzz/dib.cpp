// The DIB decoder reads BITMAP resources from a skin library anyone may replace: any bytes
// must give a picture or an error, the same error the check without a picture gives. A decoded
// picture must survive our own encoder unchanged, and painting straight from the bytes, offset
// and clipped, must give the decoded picture's pixels.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "codecs/dib.h"
#include "skin/dib.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const codecs::DibResult first = codecs::decodeDib(bytes);
  // The check that makes no picture must agree with the decoder on every input.
  if (codecs::dibError(bytes) != first.error) std::abort();
  ui::Bitmap painted(8, 8);
  const auto drawn = codecs::drawDib(bytes, painted, -1, -2, ui::Rect{0, 1, 8, 7});
  if (!first.ok()) {
    if (!first.bitmap.empty()) std::abort();
    return 0;
  }
  if (!drawn || drawn->width != first.bitmap.width() || drawn->height != first.bitmap.height()) std::abort();
  for (int y = 1; y < 7; ++y)
    for (int x = 0; x < 8; ++x)
      if (x + 1 < drawn->width && y + 2 < drawn->height && painted.pixel(x, y) != first.bitmap.pixel(x + 1, y + 2))
        std::abort();
  const codecs::DibResult again = codecs::decodeDib(skin::encodeDib(first.bitmap));
  if (!again.ok() || again.bitmap.width() != first.bitmap.width() || again.bitmap.height() != first.bitmap.height())
    std::abort();
  for (int y = 0; y < first.bitmap.height(); ++y)
    for (int x = 0; x < first.bitmap.width(); ++x)
      if (again.bitmap.pixel(x, y) != first.bitmap.pixel(x, y)) std::abort();
  return 0;
}
