// The gallery picture as the news window shows it, checked on the pixels: the thumbnail fitted
// into its square, the rounded frame around it with the caption below, and the progress
// picture while it downloads.
#include <gtest/gtest.h>

#include <atomic>

#include "codecs/thumbnail.h"
#include "online/newspictures.h"
#include "tests/unit/codec_pictures.h"
#include "tests/unit/news_fixture.h"

namespace {

using loopback::Connection;
using testing_news::Feed;
using testing_news::NewsTest;

const ui::Color kRed = ui::rgb(200, 40, 40);

struct NewsGallery : NewsTest {
  bool picture(int x, int y) {
    return testpics::colourDistance(news().GalleryThumb.picture().pixel(x, y), kRed) < 40;
  }
  bool background(int x, int y) {
    return news().GalleryThumb.picture().pixel(x, y) == codecs::kThumbnailBackground;
  }
  void showPicture(int width, int height) {
    publish(Feed{});
    route("/gallery.jpg", {testing_news::galleryJpeg(width, height, kRed), nullptr});
    if (!app) startWith();
    open();
    ASSERT_EQ(news().GalleryThumb.picture().width(), 135);
    ASSERT_EQ(news().GalleryThumb.picture().height(), 135);
  }
};

TEST_F(NewsGallery, LandscapePictureSpansTheWidthInsideAFrameElevenPixelsLarger) {
  showPicture(400, 300);
  // The rectangle from (0, 17) to (135, 118).
  EXPECT_TRUE(background(67, 16));
  EXPECT_TRUE(picture(67, 17));
  EXPECT_TRUE(picture(0, 67));
  EXPECT_TRUE(picture(134, 117));
  EXPECT_TRUE(background(67, 118));
  // The square's background is the thumbnail's see-through colour.
  EXPECT_EQ(news().GalleryThumb.picture().transparentColor(), codecs::kThumbnailBackground);
  // A frame of 146 × 112 centred on the thumbnail, the caption 5 pixels below it.
  const ui::Image& frame = news().GalleryImage;
  EXPECT_EQ(frame.width(), 146);
  EXPECT_EQ(frame.height(), 112);
  EXPECT_EQ(frame.left(), 242 + 67 - 73);
  EXPECT_EQ(frame.top(), 64 + 67 - 56);
  EXPECT_EQ(frame.picture().pixel(0, 56), online::news::kFrameColor);
  EXPECT_EQ(frame.picture().pixel(145, 56), online::news::kFrameColor);
  EXPECT_EQ(frame.picture().pixel(73, 111), online::news::kFrameColor);
  EXPECT_EQ(news().AuthorLabel.top(), frame.top() + 112 + 5);
  const int captionWidth = ui.text().measure(online::news::pictureFont(), "Jane Doe").width;
  EXPECT_EQ(news().AuthorLabel.width(), captionWidth);
  EXPECT_EQ(news().AuthorLabel.left(), 242 + 67 - captionWidth / 2);
}

TEST_F(NewsGallery, EveryShapeFitsTheSquare) {
  struct Case {
    int width, height;
    ui::Rect fitted;
  } cases[] = {
      {300, 400, {17, 0, 118, 135}},    // portrait: the full height
      {100, 80, {0, 13, 135, 121}},     // small: decoded whole and enlarged
      {1600, 1200, {0, 17, 135, 118}},  // large: decoded at 1/8, 200 × 150
      {500, 500, {0, 0, 135, 135}},     // square: all of it
  };
  for (const Case& c : cases) {
    showPicture(c.width, c.height);
    const ui::Rect& r = c.fitted;
    EXPECT_TRUE(picture(r.left, r.top)) << c.width << "x" << c.height;
    EXPECT_TRUE(picture(r.right - 1, r.bottom - 1)) << c.width << "x" << c.height;
    EXPECT_TRUE(r.left == 0 || background(r.left - 1, 67)) << c.width;
    EXPECT_TRUE(r.right == 135 || background(r.right, 67)) << c.width;
    EXPECT_TRUE(r.top == 0 || background(67, r.top - 1)) << c.height;
    EXPECT_TRUE(r.bottom == 135 || background(67, r.bottom)) << c.height;
    EXPECT_EQ(news().GalleryImage.width(), r.width() + 11);
    EXPECT_EQ(news().GalleryImage.height(), r.height() + 11);
    news().close();
  }
}

TEST_F(NewsGallery, ProgressShowsTheShareReceived) {
  publish(Feed{});
  std::atomic<bool> seen{false};
  route("/gallery.jpg",
        {"", [&](Connection& c) {
           c.send("HTTP/1.0 200 OK\r\nContent-Length: 200\r\n\r\n" + std::string(50, 'x'));
           for (int i = 0; i < 2000 && !seen; ++i) c.stall(5);
           c.send(std::string(150, 'x'));
         }});
  startWith();
  ui::Bitmap during;
  std::string caption;
  auto packet = news().HTTPgallery.OnPacketRecvd;
  news().HTTPgallery.OnPacketRecvd = [&] {
    packet();
    if (news().HTTPgallery.bytesReceived != 50) return;
    during = news().GalleryThumb.picture();
    caption = news().AuthorLabel.caption();
    EXPECT_EQ(ui.screenCursor(), ui::Cursor::Hourglass);
    seen = true;
  };
  open();
  ASSERT_TRUE(seen);
  // 25 % of a 131-pixel bar fills 32 columns of the bar's inside at (1, 1).
  const int barTop = 135 / 2 + 15;
  EXPECT_EQ(during.pixel(2, barTop), online::news::kFrameColor);
  EXPECT_EQ(during.pixel(3, barTop + 1), online::news::kProgressFill);
  EXPECT_EQ(during.pixel(34, barTop + 11), online::news::kProgressFill);
  EXPECT_EQ(during.pixel(35, barTop + 1), ui::kWhite);
  EXPECT_EQ(caption, "");
  // 200 bytes of "x" are no picture.
  EXPECT_EQ(news().GalleryThumb.picture().pixel(3, barTop + 1), ui::kWhite);
  EXPECT_EQ(news().AuthorLabel.caption(), "");
}

TEST_F(NewsGallery, ALongCaptionIsCutAtTwentyTwoCharacters) {
  Feed feed;
  feed.galleryCaption = "Photographed by Jane Q. Doe";
  publish(feed);
  startWith();
  open();
  EXPECT_EQ(news().AuthorLabel.caption(), "Photographed by Jane Q...");
}

}  // namespace
