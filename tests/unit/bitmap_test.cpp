#include <gtest/gtest.h>

#include "ui/bitmap.h"
#include "ui/canvas.h"

// A bitmap left unfilled is sized as asked and is the caller's to write; the limits that refuse
// a filled bitmap refuse it too.
TEST(Bitmap, UnfilledHasItsSizeAndTheLimitsOfAnyOther) {
  ui::Bitmap b = ui::Bitmap::unfilled(3, 2);
  ASSERT_EQ(b.width(), 3);
  ASSERT_EQ(b.height(), 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) b.setPixel(x, y, ui::rgb(x, y, 7));
  const ui::Bitmap copy = b;
  EXPECT_EQ(copy.pixel(2, 1), ui::rgb(2, 1, 7));
  for (auto [w, h] : {std::pair{ui::Bitmap::kMaxSide + 1, 1}, std::pair{-1, 4},
                      std::pair{ui::Bitmap::kMaxSide, ui::Bitmap::kMaxSide}}) {
    EXPECT_TRUE(ui::Bitmap::unfilled(w, h).empty()) << w << " x " << h;
    EXPECT_FALSE(ui::Bitmap().resize(w, h)) << w << " x " << h;
  }
}

// A painting of one area of a window goes to a picture of that area alone: every operation
// must give there exactly the pixels it gives in a picture of the whole window.
TEST(Canvas, APictureOfOneAreaGetsThePixelsOfTheWholePicture) {
  ui::Bitmap sprite(5, 4, ui::rgb(1, 2, 3));
  sprite.setPixel(2, 1, ui::rgb(9, 9, 9));
  sprite.setPixel(0, 3, ui::kWhite);  // the transparent colour, bottom-left
  sprite.transparent = true;
  auto paint = [&](ui::Canvas& c) {
    c.brush = ui::rgb(40, 50, 60);
    c.fillRect(ui::Rect{-3, -3, 30, 30});
    c.pen = ui::kNavy;
    c.frameRect(ui::Rect{2, 2, 17, 11});
    c.brush = ui::kGray;
    c.roundRect(ui::Rect{4, 3, 14, 12}, 6, 6);
    c.draw(9, 1, sprite);
    c.draw(-2, 8, sprite);
    c.stretchDraw(ui::Rect{1, 6, 12, 13}, sprite);
  };
  ui::Bitmap whole(20, 14, ui::kBlack);
  ui::Canvas all(whole);
  paint(all);
  for (const ui::Rect area : {ui::Rect{0, 0, 20, 14}, ui::Rect{3, 2, 11, 9}, ui::Rect{10, 0, 20, 5}, ui::Rect{0, 9, 4, 14}}) {
    ui::Bitmap part(area.width(), area.height(), ui::kBlack);
    ui::Canvas c(part, nullptr, area.left, area.top);
    c.setClip(area);
    paint(c);
    for (int y = 0; y < area.height(); ++y)
      for (int x = 0; x < area.width(); ++x)
        ASSERT_EQ(part.pixel(x, y), whole.pixel(area.left + x, area.top + y))
            << "pixel " << area.left + x << "," << area.top + y << " of the area at " << area.left << "," << area.top;
  }
}
