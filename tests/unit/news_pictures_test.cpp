// The news window's own pictures, its texts from numbers, the advert rotation and the links it
// lets through to the shell.
#include <gtest/gtest.h>

#include "online/newscaptions.h"
#include "online/newspictures.h"
#include "online/weblink.h"
#include "ui/headless/headless_backend.h"

namespace {

namespace news = online::news;

ui::headless::FixedText text;

// A 32 × 32 icon: a dark square on white, white being its transparent colour.
ui::Bitmap icon() {
  ui::Bitmap b(32, 32, ui::kWhite);
  for (int y = 4; y < 28; ++y)
    for (int x = 4; x < 28; ++x) b.setPixel(x, y, ui::rgb(200, 0, 0));
  b.transparent = true;
  return b;
}

TEST(NewsPictures, PlaceholderPutsTheIconAboveTheMiddleOnSeeThroughWhite) {
  struct Case {
    int w, h, iconLeft, iconTop;
  } cases[] = {{135, 135, 51, 43}, {468, 60, 218, 6}};
  for (const Case& c : cases) {
    const ui::Bitmap p = news::placeholderPicture(c.w, c.h, icon(), "Unable to load image", text);
    ASSERT_EQ(p.width(), c.w);
    ASSERT_EQ(p.height(), c.h);
    EXPECT_TRUE(p.transparent);
    EXPECT_EQ(p.transparentColor(), ui::kWhite);
    // x = W/2 - w/2, y = H/2 - h/2 - h/3 + 2; the icon's own white is not drawn.
    EXPECT_EQ(p.pixel(c.iconLeft + 4, c.iconTop + 4), ui::rgb(200, 0, 0)) << c.w;
    EXPECT_EQ(p.pixel(c.iconLeft + 27, c.iconTop + 27), ui::rgb(200, 0, 0)) << c.w;
    EXPECT_EQ(p.pixel(c.iconLeft + 3, c.iconTop + 4), ui::kWhite) << c.w;
    EXPECT_EQ(p.pixel(c.iconLeft + 4, c.iconTop + 28), ui::kWhite) << c.w;
  }
}

TEST(NewsPictures, RoundedFrameOutlinesTheWholePictureWithRoundCorners) {
  const ui::Bitmap f = news::roundedFrame(146, 112);
  EXPECT_EQ(f.pixel(0, 56), news::kFrameColor);
  EXPECT_EQ(f.pixel(145, 56), news::kFrameColor);
  EXPECT_EQ(f.pixel(73, 0), news::kFrameColor);
  EXPECT_EQ(f.pixel(73, 111), news::kFrameColor);
  EXPECT_EQ(f.pixel(0, 0), ui::kWhite);  // the corner is cut
  EXPECT_EQ(f.pixel(73, 56), ui::kWhite);
  EXPECT_TRUE(f.transparent);
  EXPECT_EQ(f.transparentColor(), ui::kWhite);
}

TEST(NewsPictures, ProgressFillsItsShareOfTheBarAndKeepsItUntilReset) {
  EXPECT_EQ(news::progressPercent(50, 200), 25);
  EXPECT_EQ(news::progressFillWidth(25, 131), 32);
  EXPECT_EQ(news::progressPercent(0, 200), 0);
  EXPECT_EQ(news::progressPercent(10, 0), 0);
  EXPECT_EQ(news::progressPercent(300, 200), 100);

  news::GalleryProgress progress(131);
  ASSERT_EQ(progress.fill().width(), 128);
  ASSERT_EQ(progress.fill().height(), 11);
  ui::Bitmap p = progress.picture(135, 135, "Loading 50 bytes", 50, 200, text);
  // The bar at (2, H/2 + 15), its fill at (1, 1) inside it: 32 columns of 128 filled.
  const int barTop = 135 / 2 + 15;
  EXPECT_EQ(p.pixel(2, barTop), news::kFrameColor);
  EXPECT_EQ(p.pixel(132, barTop + 12), news::kFrameColor);
  EXPECT_EQ(p.pixel(3, barTop + 1), news::kProgressFill);
  EXPECT_EQ(p.pixel(34, barTop + 11), news::kProgressFill);
  EXPECT_EQ(p.pixel(35, barTop + 1), ui::kWhite);
  EXPECT_TRUE(p.transparent);

  // A full bar is clipped to the fill's 128 columns; what was filled stays filled.
  p = progress.picture(135, 135, "Loading 200 bytes", 200, 200, text);
  EXPECT_EQ(p.pixel(130, barTop + 1), news::kProgressFill);
  EXPECT_EQ(p.pixel(131, barTop + 1), ui::kWhite);
  p = progress.picture(135, 135, "Loading 10 bytes", 10, 200, text);
  EXPECT_EQ(p.pixel(130, barTop + 1), news::kProgressFill);
  progress.reset();
  p = progress.picture(135, 135, "Loading 10 bytes", 10, 200, text);
  EXPECT_EQ(p.pixel(3, barTop + 1), news::kProgressFill);
  EXPECT_EQ(p.pixel(10, barTop + 1), ui::kWhite);
}

TEST(NewsCaptions, ProgressTextCountsBytesThenWholeKilobytesInGroups) {
  EXPECT_EQ(news::progressText(0, ","), "Loading 0 bytes");
  EXPECT_EQ(news::progressText(999, ","), "Loading 999 bytes");
  EXPECT_EQ(news::progressText(1000, ","), "Loading 1 kb");
  EXPECT_EQ(news::progressText(12345, ","), "Loading 12 kb");
  EXPECT_EQ(news::progressText(999999, ","), "Loading 999 kb");
  EXPECT_EQ(news::progressText(1234567, ","), "Loading 1,234 kb");
  EXPECT_EQ(news::progressText(1234567890, "."), "Loading 1.234.567 kb");
  EXPECT_EQ(news::progressText(1234567, ""), "Loading 1234 kb");
}

TEST(NewsCaptions, GalleryCaptionKeepsTwentyTwoCharacters) {
  EXPECT_EQ(news::galleryCaption("1234567890123456789012"), "1234567890123456789012");
  EXPECT_EQ(news::galleryCaption("12345678901234567890123"), "1234567890123456789012...");
  EXPECT_EQ(news::galleryCaption(""), "");
}

TEST(NewsCaptions, RotationStartsAfterTheStoredAdvertAndWraps) {
  // Three adverts and a stored 1: advert 2 first, then advert 0.
  EXPECT_EQ(news::nextAdvertIndex(news::advertIndexInRange(1, 3), 3), 2);
  EXPECT_EQ(news::nextAdvertIndex(2, 3), 0);
  // A stored index past the list, or -1 while there are adverts, starts over at advert 1.
  for (int stored : {3, 7, -1})
    EXPECT_EQ(news::nextAdvertIndex(news::advertIndexInRange(stored, 3), 3), 1);
  EXPECT_EQ(news::nextAdvertIndex(news::advertIndexInRange(5, 1), 1), 0);
  EXPECT_EQ(news::advertIndexInRange(2, 0), -1);
  EXPECT_EQ(news::nextAdvertIndex(-1, 0), -1);
}

TEST(WebLink, OnlyWebAddressesAreOpened) {
  for (const char* yes :
       {"http://www.example.com/", "HTTPS://example.com/a?b=c&d", "http://127.0.0.1:8080"})
    EXPECT_TRUE(online::isWebLink(yes)) << yes;
  for (const char* no : {"", "file:///C:/windows/system32/calc.exe", "C:\\windows\\notepad.exe",
                         "\\\\host\\share\\x.exe", "javascript:alert(1)", "mailto:a@b", "http://",
                         "http:///etc", "ftp://example.com/", "http://a.example/ \"--flag",
                         "http://a.example/\"x", "http://a.example/\r\nx", " http://a.example/"})
    EXPECT_FALSE(online::isWebLink(no)) << no;
}

}  // namespace
