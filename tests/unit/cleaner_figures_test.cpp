// What the cleaner shows, at the boundaries where its texts and figures change: the amount
// read, the percentage and the fill, the file-limit message, the shortened path and the bar.
#include <gtest/gtest.h>

#include "cleanup/cleanbar.h"
#include "cleanup/cleanerfigures.h"

namespace {

TEST(CleanerFigures, ReadingCaptionChangesUnitJustAboveEachPowerOf1024) {
  using cleanup::readingCaption;
  EXPECT_EQ(readingCaption(0, '.'), "Reading files: 0 KB");
  EXPECT_EQ(readingCaption(1024, '.'), "Reading files: 1024 KB");
  EXPECT_EQ(readingCaption(1025, '.'), "Reading files: 1.00 MB");
  EXPECT_EQ(readingCaption(1536, ','), "Reading files: 1,50 MB");
  EXPECT_EQ(readingCaption(1048576, '.'), "Reading files: 1024.00 MB");
  EXPECT_EQ(readingCaption(1048577, '.'), "Reading files: 1.00 GB");
  // Five gigabytes counted in full, and totals far beyond any disk.
  EXPECT_EQ(readingCaption(5ull * 1048576, ','), "Reading files: 5,00 GB");
  EXPECT_EQ(readingCaption(uint64_t{1} << 50, '.'), "Reading files: 1073741824.00 GB");
}

TEST(CleanerFigures, PercentagesRunFromZeroToAHundred) {
  using cleanup::deletedPercent;
  EXPECT_EQ(deletedPercent(0, 1), 0);
  EXPECT_EQ(deletedPercent(0, 2), 0);
  EXPECT_EQ(deletedPercent(1, 2), 100);
  EXPECT_EQ(deletedPercent(1, 1000), 0);    // 100 / 999
  EXPECT_EQ(deletedPercent(10, 1000), 1);   // 1000 / 999
  EXPECT_EQ(deletedPercent(998, 1000), 99);
  EXPECT_EQ(deletedPercent(999, 1000), 100);
  EXPECT_EQ(deletedPercent(99999, 100000), 100);
  EXPECT_EQ(cleanup::fillWidth(0, 302), 0);
  EXPECT_EQ(cleanup::fillWidth(1, 302), 3);
  EXPECT_EQ(cleanup::fillWidth(50, 302), 151);
  EXPECT_EQ(cleanup::fillWidth(99, 302), 298);
  EXPECT_EQ(cleanup::fillWidth(100, 302), 302);
}

TEST(CleanerFigures, FileLimitMessageGroupsWithTheUsersSeparator) {
  EXPECT_EQ(cleanup::tooManyFilesText(","), "There are more than 100,000 files that match.");
  EXPECT_EQ(cleanup::tooManyFilesText("."), "There are more than 100.000 files that match.");
  EXPECT_EQ(cleanup::tooManyFilesText(""), "There are more than 100000 files that match.");
}

TEST(CleanerBar, BitmapsTakeTheirSizesAndColoursFromTheBar) {
  cleanup::CleanBar bar(302, 25);
  ASSERT_EQ(bar.frame().width(), 299);
  ASSERT_EQ(bar.frame().height(), 22);
  ASSERT_EQ(bar.fill().width(), 297);
  ASSERT_EQ(bar.fill().height(), 20);
  for (auto [x, y] : {std::pair{0, 0}, {298, 0}, {298, 21}, {0, 21}, {150, 0}, {0, 10}})
    EXPECT_EQ(bar.frame().pixel(x, y), cleanup::CleanBar::kFrameColor) << x << "," << y;

  const ui::Bitmap& empty = bar.draw(0);
  ASSERT_EQ(empty.width(), 300);
  ASSERT_EQ(empty.height(), 23);
  EXPECT_TRUE(empty.transparent);
  EXPECT_EQ(empty.transparentColor(), ui::kWhite);
  EXPECT_EQ(empty.pixel(2, 2), ui::kWhite);
  EXPECT_EQ(empty.pixel(1, 1), cleanup::CleanBar::kFrameColor);

  const ui::Bitmap& half = bar.draw(151);
  // The fill starts inside the frame: composite x = fill x + 2.
  EXPECT_EQ(half.pixel(2, 2), cleanup::CleanBar::kFillColor);
  EXPECT_EQ(half.pixel(152, 21), cleanup::CleanBar::kFillColor);
  EXPECT_EQ(half.pixel(153, 2), ui::kWhite);
  // A width beyond the fill fills all of it and no more.
  const ui::Bitmap& full = bar.draw(400);
  EXPECT_EQ(full.pixel(298, 12), cleanup::CleanBar::kFillColor);
  EXPECT_EQ(full.pixel(299, 12), cleanup::CleanBar::kFrameColor);
  bar.reset();
  EXPECT_EQ(bar.draw(0).pixel(100, 10), ui::kWhite);
}

}  // namespace
