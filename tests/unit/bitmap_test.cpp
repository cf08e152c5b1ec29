#include <gtest/gtest.h>

#include "ui/bitmap.h"

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
