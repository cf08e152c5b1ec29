// The gallery thumbnail: a JPEG picture decoded at the smallest scale that still fills the
// square, and fitted into it with its proportions kept.
#pragma once

#include <string>

#include "codecs/jpeg.h"
#include "platform/files.h"
#include "ui/bitmap.h"

namespace codecs {

constexpr ui::Color kThumbnailBackground = ui::rgb(243, 243, 255);

struct Thumbnail {
  ui::Bitmap picture;  // side × side, the background around the fitted picture
  int width = 0, height = 0;  // the fitted size: one of them is the side
};

// The rectangle of the square (side × side) that a width × height picture fills: the full
// width or the full height, the other side in proportion, truncated and centred.
ui::Rect FitRect(int width, int height, int side);

// The first of the scales 1/8, 1/4, 1/2 at which the decoded width or height exceeds the
// side, or 1 when none does.
int thumbnailScale(JpegDecoder& jpeg, int side);

// Throws DecodeError when the picture does not decode or the file cannot be read.
Thumbnail MakeThumbnail(const std::string& jpegBytes, int side);
Thumbnail MakeThumbnail(platform::Files& files, const std::string& path, int side);

}  // namespace codecs
