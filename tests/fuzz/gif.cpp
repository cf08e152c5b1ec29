// GIF banners come from the network: any bytes must decode or fail with DecodeError, and a
// decoded animation must play, every frame shown composited.
#include <cstddef>
#include <cstdint>
#include <string>

#include "codecs/decode_error.h"
#include "codecs/gif.h"
#include "codecs/gif_player.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    codecs::GifPlayer player(codecs::decodeGif(std::string(reinterpret_cast<const char*>(data), size)));
    player.currentFrame();
    for (int step = 0; step < 8 && player.playing(); ++step) {
      player.advance(player.timeToNextFrame());
      player.currentFrame();
    }
    player.advance(1000000000);
    player.currentFrame();
  } catch (const codecs::DecodeError&) {
  }
  return 0;
}
