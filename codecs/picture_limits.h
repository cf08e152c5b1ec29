// What a picture from the network may cost us. The windows show a banner of 468 x 60 and a
// thumbnail of 135 x 135, so a picture far beyond a few megapixels can show nothing more and
// only spends memory; on a 32-bit Windows a few hundred megabytes is an out-of-memory failure.
// The ceilings are checked against the sizes a file declares, before anything sized by them
// is allocated, and they are counted in pixels and bytes, never in pointers, so they hold the
// same in both builds.
#pragma once

#include <cstdint>

namespace codecs {

// A file larger than this is refused before it is read.
constexpr uint64_t kMaxPictureFileBytes = 64ULL * 1024 * 1024;

// The largest picture a decoder makes from outside data: a GIF's logical screen and each of
// its frames, a JPEG at the scale it is decoded at. 2048 x 2048, 16 MB as a bitmap.
constexpr int64_t kMaxPicturePixels = 4LL * 1024 * 1024;

}  // namespace codecs
