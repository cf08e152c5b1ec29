// Gallery pictures come from the network: any bytes must decode or fail with DecodeError, at
// every scale; the input's length picks the scale, or the thumbnail.
#include <cstddef>
#include <cstdint>
#include <string>

#include "codecs/decode_error.h"
#include "codecs/jpeg.h"
#include "codecs/thumbnail.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  try {
    if (size % 5 == 4) {
      codecs::MakeThumbnail(bytes, 135);
    } else {
      codecs::JpegDecoder jpeg(bytes);
      jpeg.decode(1 << (size % 5));
    }
  } catch (const codecs::DecodeError&) {
  }
  return 0;
}
