#include "online/newspictures.h"

#include <algorithm>

#include "ui/canvas.h"

namespace online::news {

namespace {

// White is not drawn: the window's background shows through.
void seeThroughWhite(ui::Bitmap& picture) {
  picture.transparent = true;
  picture.hasTransparentColor = true;
  picture.transparentColorValue = ui::kWhite;
}

}  // namespace

ui::Font pictureFont() { return ui::Font::points("Verdana", 7, true, kPictureText); }

ui::Bitmap placeholderPicture(int width, int height, const ui::Bitmap& icon,
                              const std::string& message, ui::TextRenderer& text) {
  ui::Bitmap picture(width, height, ui::kWhite);
  ui::Canvas canvas(picture, &text);
  const int w = icon.width(), h = icon.height();
  canvas.draw(width / 2 - w / 2, height / 2 - h / 2 - h / 3 + 2, icon,
              ui::Rect{0, 0, width, height}, true);
  canvas.font = pictureFont();
  const ui::Size extent = canvas.textExtent(message);
  canvas.textOut(width / 2 - extent.width / 2, h / 2 + height / 2 - 8, message);
  seeThroughWhite(picture);
  return picture;
}

ui::Bitmap roundedFrame(int width, int height) {
  ui::Bitmap picture(width, height, ui::kWhite);
  ui::Canvas canvas(picture);
  canvas.brush = ui::kWhite;
  canvas.pen = kFrameColor;
  canvas.roundRect(ui::Rect{0, 0, width, height}, kFrameCorner, kFrameCorner);
  seeThroughWhite(picture);
  return picture;
}

int progressPercent(int64_t received, int64_t total) {
  if (received <= 0 || total <= 0) return 0;
  return static_cast<int>(std::min<int64_t>(received, total) * 100 / total);
}

int progressFillWidth(int percent, int barWidth) { return percent * barWidth / 100; }

GalleryProgress::GalleryProgress(int barWidth)
    : bar_(barWidth, kProgressBarHeight, barWidth - 3, kProgressBarHeight - 2, kFrameColor) {}

void GalleryProgress::reset() { bar_.clear(); }

ui::Bitmap GalleryProgress::picture(int width, int height, const std::string& caption,
                                    int64_t received, int64_t total, ui::TextRenderer& text) {
  ui::Bitmap picture(width, height, ui::kWhite);
  ui::Canvas canvas(picture, &text);
  canvas.font = pictureFont();
  const ui::Size extent = canvas.textExtent(caption);
  ui::Bitmap label(extent.width, extent.height, ui::kWhite);
  ui::Canvas labelCanvas(label, &text);
  labelCanvas.font = canvas.font;
  labelCanvas.textOut(0, 0, caption);

  const int filled = progressFillWidth(progressPercent(received, total), barWidth());
  const ui::Bitmap& bar = bar_.fillTo(filled, kProgressFill);

  const ui::Rect all{0, 0, width, height};
  canvas.draw(width / 2 - extent.width / 2, height / 2 - 5, label, all, false);
  canvas.draw(2, height / 2 + 15, bar, all, false);
  seeThroughWhite(picture);
  return picture;
}

}  // namespace online::news
