// JPEG pictures through libjpeg: 24-bit output with the fast integer DCT, at the reduced
// scales the library decodes directly. Greyscale pictures come out grey, CMYK and YCCK ones
// are converted to RGB; other colour spaces are refused.
#pragma once

#include <memory>
#include <string>

#include "ui/bitmap.h"
#include "ui/font.h"

namespace codecs {

// Progressive pictures may hold any number of scans, each a pass over the whole picture; real
// encoders write about ten, so more than this is taken as an attack on our time.
constexpr int kJpegMaxScans = 100;
// A picture read in more than one scan (progressive ones) keeps the coefficients of the whole
// picture in memory while it decodes, two bytes a sample at full size whatever the output's
// scale: past this it is refused. It lets through a progressive photo of about 20 megapixels
// with the usual halved colour, 11 with full colour.
constexpr int64_t kJpegMaxCoefficientBytes = 64LL * 1024 * 1024;

class JpegDecoder {
 public:
  // Reads the header of the picture held in bytes, which must outlive the decoder. Throws
  // DecodeError when it is not a JPEG picture we can show.
  explicit JpegDecoder(const std::string& bytes);
  ~JpegDecoder();
  JpegDecoder(const JpegDecoder&) = delete;
  JpegDecoder& operator=(const JpegDecoder&) = delete;

  ui::Size fullSize() const;
  // The size decode() gives at scale 1/denominator (1, 2, 4 or 8).
  ui::Size sizeAt(int denominator);
  // Decodes the picture at scale 1/denominator, once per decoder; throws DecodeError, also
  // when that scale gives more than kMaxPicturePixels.
  ui::Bitmap decode(int denominator);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

inline ui::Bitmap decodeJpeg(const std::string& bytes, int denominator = 1) {
  return JpegDecoder(bytes).decode(denominator);
}

}  // namespace codecs
