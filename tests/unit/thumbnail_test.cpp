#include <gtest/gtest.h>

#include "codecs/decode_error.h"
#include "codecs/thumbnail.h"
#include "platform/fake/fake_files.h"
#include "tests/unit/codec_pictures.h"

using codecs::FitRect;
using codecs::MakeThumbnail;

namespace {

void expectRect(const ui::Rect& r, int left, int top, int right, int bottom) {
  EXPECT_EQ(r.left, left);
  EXPECT_EQ(r.top, top);
  EXPECT_EQ(r.right, right);
  EXPECT_EQ(r.bottom, bottom);
}

std::string plainJpeg(int w, int h, ui::Color c) {
  testpics::JpegPlan s;
  s.width = w, s.height = h;
  s.pixel = [c](int, int) { return c; };
  return testpics::encodeJpeg(s);
}

}  // namespace

TEST(Thumbnail, FitRectKeepsProportionsAndCentres) {
  expectRect(FitRect(400, 300, 135), 0, 17, 135, 118);
  expectRect(FitRect(300, 400, 135), 17, 0, 118, 135);
  expectRect(FitRect(100, 80, 135), 0, 13, 135, 121);
  expectRect(FitRect(200, 150, 135), 0, 17, 135, 118);
  expectRect(FitRect(135, 1, 135), 0, 67, 135, 68);
  expectRect(FitRect(10000, 1, 135), 0, 67, 135, 67);  // too thin to show a row
  EXPECT_TRUE(FitRect(0, 10, 135).empty());
  EXPECT_TRUE(FitRect(10, 0, 135).empty());
}

TEST(Thumbnail, SquarePicturesOfAnySizeFillTheSquare) {
  for (int n = 1; n <= 3000; ++n) {
    const ui::Rect r = FitRect(n, n, 135);
    ASSERT_EQ(r.width(), 135) << n;
    ASSERT_EQ(r.height(), 135) << n;
  }
}

TEST(Thumbnail, TakesTheSmallestScaleThatStillExceedsTheSide) {
  const std::string small = plainJpeg(16, 16, ui::kWhite);
  const std::pair<ui::Size, int> cases[] = {
      {{1600, 1200}, 8}, {{1088, 100}, 8}, {{1080, 1080}, 4}, {{400, 300}, 2},
      {{271, 10}, 2},    {{270, 270}, 1},  {{100, 80}, 1},    {{10, 1200}, 8}};
  for (const auto& [size, scale] : cases) {
    codecs::JpegDecoder d(testpics::withJpegSize(small, size.width, size.height));
    EXPECT_EQ(codecs::thumbnailScale(d, 135), scale) << size.width << "x" << size.height;
  }
}

TEST(Thumbnail, DrawsThePictureIntoItsRectangleOnTheBackground) {
  const ui::Color red = ui::rgb(200, 30, 30);
  const auto t = MakeThumbnail(plainJpeg(1600, 1200, red), 135);
  EXPECT_EQ(t.width, 135);
  EXPECT_EQ(t.height, 101);
  ASSERT_EQ(t.picture.width(), 135);
  ASSERT_EQ(t.picture.height(), 135);
  EXPECT_EQ(t.picture.pixel(67, 16), codecs::kThumbnailBackground);
  EXPECT_LE(testpics::colourDistance(t.picture.pixel(67, 17), red), 10);
  EXPECT_LE(testpics::colourDistance(t.picture.pixel(0, 117), red), 10);
  EXPECT_EQ(t.picture.pixel(134, 118), codecs::kThumbnailBackground);

  const auto small = MakeThumbnail(plainJpeg(100, 80, red), 135);
  EXPECT_EQ(small.width, 135);
  EXPECT_EQ(small.height, 108);
  EXPECT_EQ(small.picture.pixel(0, 12), codecs::kThumbnailBackground);
  EXPECT_LE(testpics::colourDistance(small.picture.pixel(134, 13), red), 10);
}

TEST(Thumbnail, FailsWithADecodeErrorTheWindowCanCatch) {
  EXPECT_THROW(MakeThumbnail(std::string("no picture"), 135), codecs::DecodeError);
  platform::fake::FakeFiles files;
  EXPECT_THROW(MakeThumbnail(files, "C:\\Cache\\gallery.jpg", 135), codecs::DecodeError);
  files.addFile("C:\\Cache\\gallery.jpg", plainJpeg(300, 400, ui::kWhite));
  const auto t = MakeThumbnail(files, "C:\\Cache\\gallery.jpg", 135);
  EXPECT_EQ(t.width, 101);
  EXPECT_EQ(t.height, 135);
}
