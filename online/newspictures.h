// The pictures the news window draws itself: the placeholder for a banner or gallery picture
// that could not be shown, the gallery's download progress, and the rounded frame around the
// gallery thumbnail. Text is drawn one step off white on white, and white is the pictures'
// transparent colour, so only the text, the icon and the frame show over the window.
#pragma once

#include <cstdint>
#include <string>

#include "ui/bitmap.h"
#include "ui/font.h"
#include "ui/framedbar.h"

namespace online::news {

constexpr ui::Color kPictureText = ui::rgb(255, 255, 254);
constexpr ui::Color kFrameColor = ui::rgb(124, 160, 208);
constexpr ui::Color kProgressFill = ui::rgb(66, 118, 191);
constexpr int kFrameCorner = 8;
constexpr int kProgressBarHeight = 13;

// Verdana 7 points, bold, in the picture text colour.
ui::Font pictureFont();

// A width × height picture: the icon (drawn without its transparent colour) a little above the
// middle and the message centred below it.
ui::Bitmap placeholderPicture(int width, int height, const ui::Bitmap& icon,
                              const std::string& message, ui::TextRenderer& text);

// A width × height rounded rectangle outlined in the frame colour, white inside and out.
ui::Bitmap roundedFrame(int width, int height);

// Of total bytes, received ones as a whole percentage, and the bar width that percentage
// fills; 0 until a byte has arrived.
int progressPercent(int64_t received, int64_t total);
int progressFillWidth(int percent, int barWidth);

// The gallery's progress bar: an outer bitmap barWidth × 13 with a border in the frame colour
// and a fill bitmap inside it, 3 pixels narrower and 2 lower, that keeps what it has filled
// until it is reset.
class GalleryProgress {
 public:
  explicit GalleryProgress(int barWidth);

  int barWidth() const { return bar_.frame().width(); }
  const ui::Bitmap& fill() const { return bar_.fill(); }
  // Back to white, at the start of every refresh and when the window closes.
  void reset();
  // A width × height picture of the caption over the bar, filled as far as received of total.
  ui::Bitmap picture(int width, int height, const std::string& caption, int64_t received,
                     int64_t total, ui::TextRenderer& text);

 private:
  ui::FramedBar bar_;
};

}  // namespace online::news
