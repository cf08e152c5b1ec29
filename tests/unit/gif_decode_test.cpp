#include <gtest/gtest.h>

#include "codecs/decode_error.h"
#include "codecs/gif.h"
#include "codecs/gif_screen.h"
#include "codecs/picture_limits.h"
#include "platform/fake/fake_files.h"
#include "tests/unit/address_ceiling.h"
#include "tests/unit/codec_pictures.h"

using codecs::decodeGif;
using codecs::DecodeError;
using testpics::GifPlan;
using testpics::solidFrame;

namespace {

constexpr ui::Color kRed = ui::rgb(255, 0, 0), kGreen = ui::rgb(0, 255, 0), kBlue = ui::rgb(0, 0, 255),
                    kYellow = ui::rgb(255, 255, 0), kGrey = ui::rgb(90, 90, 90);

// A 4 × 3 screen on grey (index 0), the palette red, green, blue, yellow at 1 to 4.
GifPlan screen() {
  GifPlan s;
  s.width = 4, s.height = 3;
  s.globalMap = {kGrey, kRed, kGreen, kBlue, kYellow};
  return s;
}

// The screen while frame i shows.
ui::Bitmap shown(const codecs::GifAnimation& a, size_t i) { return codecs::GifScreen(a).show(i); }

std::string rows(const ui::Bitmap& b) {
  std::string out;
  for (int y = 0; y < b.height(); ++y) {
    for (int x = 0; x < b.width(); ++x) {
      const ui::Color c = b.pixel(x, y);
      out += c == kRed ? 'R' : c == kGreen ? 'G' : c == kBlue ? 'B' : c == kYellow ? 'Y' : c == kGrey ? '.' : '?';
    }
    if (y + 1 < b.height()) out += '|';
  }
  return out;
}

void expectFailure(const std::string& bytes, const std::string& why) {
  try {
    decodeGif(bytes);
    ADD_FAILURE() << "decoded, expected: " << why;
  } catch (const DecodeError& e) {
    EXPECT_NE(std::string(e.what()).find(why), std::string::npos) << e.what();
  }
}

}  // namespace

TEST(GifDecode, StillPictureOfEitherVersion) {
  for (bool gif89 : {false, true}) {
    GifPlan s = screen();
    s.gif89 = gif89;
    testpics::GifFramePlan f;
    f.width = 4, f.height = 3, f.control = gif89;
    f.pixels = {1, 2, 3, 4, 4, 3, 2, 1, 0, 0, 1, 1};
    s.frames = {f};
    const std::string bytes = testpics::encodeGif(s);
    ASSERT_EQ(bytes.substr(0, 6), gif89 ? "GIF89a" : "GIF87a");
    const auto a = decodeGif(bytes);
    EXPECT_EQ(a.width, 4);
    EXPECT_EQ(a.height, 3);
    EXPECT_EQ(a.loopCount, -1);
    EXPECT_FALSE(a.hasTransparency);
    ASSERT_EQ(a.frames.size(), 1u);
    EXPECT_EQ(rows(shown(a, 0)), "RGBY|YBGR|..RR");
  }
}

TEST(GifDecode, LocalMapsOverrideTheGlobalOneForTheirFrameOnly) {
  GifPlan s = screen();
  auto local = solidFrame(0, 0, 2, 1, 1);
  local.localMap = {kGrey, kBlue};
  s.frames = {local, solidFrame(2, 0, 2, 1, 1)};
  const auto a = decodeGif(testpics::encodeGif(s));
  ASSERT_EQ(a.frames.size(), 2u);
  EXPECT_EQ(rows(shown(a, 0)), "BB..|....|....");
  EXPECT_EQ(rows(shown(a, 1)), "BBRR|....|....");
}

TEST(GifDecode, FramesAreClippedToTheScreen) {
  GifPlan s = screen();
  auto beyond = solidFrame(2, 1, 3, 3, 2);
  beyond.pixels = {2, 3, 1, 4, 2, 1, 1, 1, 1};  // the red ones lie off the screen
  s.frames = {beyond, solidFrame(1, 0, 1, 1, 4)};
  const auto a = decodeGif(testpics::encodeGif(s));
  EXPECT_EQ(rows(shown(a, 0)), "....|..GB|..YG");
  EXPECT_EQ(rows(shown(a, 1)), ".Y..|..GB|..YG");
  // A frame keeps the indexes of its part of the screen only.
  EXPECT_EQ(a.frames[0].area, (ui::Rect{2, 1, 4, 3}));
  EXPECT_EQ(a.frames[0].indexes.size(), 4u);
}

// giflib's encoder masks indexes to the map's size, so pictures with indexes past their map
// are made by writing a full 256-colour map and cutting it down afterwards.
TEST(GifDecode, IndexesPastTheColourMapAndFramesWithoutAnyShowBlack) {
  GifPlan s;
  s.width = 2, s.height = 1;
  s.globalMap.assign(256, kRed);
  auto f = solidFrame(0, 0, 2, 1, 200);
  f.pixels[0] = 1;
  s.frames = {f};
  const std::string full = testpics::encodeGif(s);
  const size_t flags = 10, map = 13;
  ASSERT_EQ(static_cast<unsigned char>(full[flags]) & 0x87, 0x87);

  std::string twoColours = full;
  twoColours[flags] = static_cast<char>(full[flags] & ~0x07);
  twoColours.erase(map + 2 * 3, 254 * 3);
  EXPECT_EQ(rows(shown(decodeGif(twoColours), 0)), "R?");

  std::string none = full;
  none[flags] = static_cast<char>(full[flags] & ~0x87);
  none.erase(map, 256 * 3);
  const auto a = decodeGif(none);
  EXPECT_EQ(shown(a, 0).pixel(0, 0), ui::kBlack);
  EXPECT_EQ(shown(a, 0).pixel(1, 0), ui::kBlack);
}

TEST(GifDecode, TransparentPixelsLeaveWhatLiesBeneath) {
  GifPlan s = screen();
  auto top = solidFrame(0, 0, 4, 1, 3);
  top.pixels = {3, 1, 1, 3};
  top.transparent = 1;
  s.frames = {solidFrame(0, 0, 4, 3, 2), top};
  const auto a = decodeGif(testpics::encodeGif(s));
  EXPECT_EQ(rows(shown(a, 1)), "BGGB|GGGG|GGGG");
  EXPECT_TRUE(a.hasTransparency);
  EXPECT_TRUE(shown(a, 0).hasTransparentColor);
  EXPECT_EQ(shown(a, 0).transparentColorValue, kGrey);
}

// Frame 1 fills the screen red, frame 2 paints its middle blue with the disposal under test,
// frame 3 adds one yellow pixel in the corner: what frame 3 shows of the middle tells the rule.
class GifDisposal : public ::testing::TestWithParam<std::pair<int, const char*>> {};

TEST_P(GifDisposal, DecidesWhatTheNextFrameStartsFrom) {
  GifPlan s = screen();
  auto middle = solidFrame(1, 1, 2, 1, 3);
  middle.disposal = GetParam().first;
  s.frames = {solidFrame(0, 0, 4, 3, 1), middle, solidFrame(3, 2, 1, 1, 4)};
  const auto a = decodeGif(testpics::encodeGif(s));
  ASSERT_EQ(a.frames.size(), 3u);
  EXPECT_EQ(rows(shown(a, 1)), "RRRR|RBBR|RRRR");
  EXPECT_EQ(rows(shown(a, 2)), GetParam().second);
  // One screen stepped on, back and on again shows each frame as a fresh screen does.
  codecs::GifScreen screen(a);
  for (size_t i : {0, 2, 1, 2, 0, 1})
    EXPECT_EQ(rows(screen.show(i)), rows(shown(a, i))) << "frame " << i;
}

INSTANTIATE_TEST_SUITE_P(Methods, GifDisposal,
                         ::testing::Values(std::make_pair(0, "RRRR|RBBR|RRRY"),   // unspecified
                                           std::make_pair(1, "RRRR|RBBR|RRRY"),   // keep
                                           std::make_pair(2, "RRRR|R..R|RRRY"),   // background
                                           std::make_pair(3, "RRRR|RRRR|RRRY"),   // previous
                                           std::make_pair(5, "RRRR|RBBR|RRRY")));  // undefined: keep

TEST(GifDecode, RestoringToPreviousAfterTheFirstFrameShowsTheBackground) {
  GifPlan s = screen();
  auto first = solidFrame(0, 0, 2, 2, 1);
  first.disposal = 3;
  s.frames = {first, solidFrame(3, 0, 1, 1, 2)};
  const auto a = decodeGif(testpics::encodeGif(s));
  EXPECT_EQ(rows(shown(a, 1)), "...G|....|....");
}

// A frame that paints the whole screen opaquely is drawn on nothing: nothing of the frames
// before it shows through, and its own disposal still decides what the next starts from.
TEST(GifDecode, AFrameOverTheWholeScreenHidesWhatCameBefore) {
  GifPlan s = screen();
  auto corner = solidFrame(0, 0, 1, 1, 4);
  corner.disposal = 3;
  auto whole = solidFrame(0, 0, 4, 3, 3);
  whole.pixels = {3, 3, 3, 3, 3, 1, 1, 3, 3, 3, 3, 2};
  whole.disposal = 2;
  s.frames = {corner, whole, solidFrame(3, 0, 1, 1, 1), solidFrame(0, 2, 1, 1, 2)};
  const auto a = decodeGif(testpics::encodeGif(s));
  ASSERT_EQ(a.frames.size(), 4u);
  EXPECT_EQ(rows(shown(a, 0)), "Y...|....|....");
  EXPECT_EQ(rows(shown(a, 1)), "BBBB|BRRB|BBBG");
  EXPECT_EQ(rows(shown(a, 2)), "...R|....|....");
  EXPECT_EQ(rows(shown(a, 3)), "...R|....|G...");
}

TEST(GifDecode, InterlacedRowsLandWhereTheyBelong) {
  GifPlan s;
  s.width = 1, s.height = 11;
  for (int i = 0; i < 11; ++i) s.globalMap.push_back(ui::rgb(i * 20, 0, 0));
  auto f = solidFrame(0, 0, 1, 11, 0);
  for (int y = 0; y < 11; ++y) f.pixels[y] = static_cast<uint8_t>(y);
  f.interlace = true;
  s.frames = {f};
  const auto a = decodeGif(testpics::encodeGif(s));
  for (int y = 0; y < 11; ++y) EXPECT_EQ(shown(a, 0).pixel(0, y), ui::rgb(y * 20, 0, 0)) << "row " << y;
}

TEST(GifDecode, DelaysBelowTwentyMillisecondsPlayAsOneHundred) {
  GifPlan s = screen();
  for (int cs : {0, 1, 2, 50}) {
    auto f = solidFrame(0, 0, 1, 1, 1);
    f.delayCs = cs;
    s.frames.push_back(f);
  }
  auto bare = solidFrame(0, 0, 1, 1, 1);
  bare.control = false;
  s.frames.push_back(bare);
  const auto a = decodeGif(testpics::encodeGif(s));
  ASSERT_EQ(a.frames.size(), 5u);
  EXPECT_EQ(a.frames[0].delayMs, 100);
  EXPECT_EQ(a.frames[1].delayMs, 100);
  EXPECT_EQ(a.frames[2].delayMs, 20);
  EXPECT_EQ(a.frames[3].delayMs, 500);
  EXPECT_EQ(a.frames[4].delayMs, 100);
}

TEST(GifDecode, LoopCountComesFromTheNetscapeExtension) {
  for (int loops : {-1, 0, 1, 3, 65535}) {
    GifPlan s = screen();
    s.loops = loops;
    s.frames = {solidFrame(0, 0, 1, 1, 1), solidFrame(0, 0, 1, 1, 2)};
    EXPECT_EQ(decodeGif(testpics::encodeGif(s)).loopCount, loops);
  }
}

TEST(GifDecode, AMissingTrailerIsForgivenButACutFrameIsNot) {
  GifPlan s = screen();
  s.frames = {solidFrame(0, 0, 4, 3, 1), solidFrame(0, 0, 4, 3, 2)};
  s.trailer = false;
  const std::string whole = testpics::encodeGif(s);
  EXPECT_EQ(decodeGif(whole).frames.size(), 2u);
  // Every shorter cut either fails cleanly or, at a record boundary, keeps the frames before it.
  size_t decoded = 0;
  for (size_t n = 0; n < whole.size(); ++n) {
    try {
      const auto a = decodeGif(whole.substr(0, n));
      EXPECT_EQ(a.frames.size(), 1u) << "cut at " << n;
      ++decoded;
    } catch (const DecodeError&) {
    }
  }
  EXPECT_GE(decoded, 1u);
  expectFailure(whole.substr(0, whole.size() - 2), "Broken GIF");
}

TEST(GifDecode, RefusesWhatIsNoPicture) {
  expectFailure("", "Not a GIF picture");
  expectFailure("GIF89a", "Not a GIF picture");
  expectFailure("PNG\x89 not a gif at all, just text", "Not a GIF picture");
  GifPlan s = screen();
  expectFailure(testpics::encodeGif(s), "no frames");
  s.frames = {solidFrame(0, 0, 1, 1, 1)};
  std::string bytes = testpics::encodeGif(s);
  bytes.insert(bytes.size() - 1, "\x99");  // an unknown record before the trailer
  expectFailure(bytes, "Broken GIF");
  s.width = 0;
  expectFailure(testpics::encodeGif(s), "no size");
}

TEST(GifDecode, BoundsHostileSizesAndCounts) {
  GifPlan s = screen();
  s.width = ui::Bitmap::kMaxSide + 1, s.height = 1;
  s.frames = {solidFrame(0, 0, 1, 1, 1)};
  expectFailure(testpics::encodeGif(s), "too large");

  // A frame claiming more pixels than any picture may have is refused before it is read.
  s = screen();
  s.frames = {solidFrame(0, 0, 1, 1, 1)};
  std::string bytes = testpics::encodeGif(s);
  const size_t desc = bytes.find(',');
  ASSERT_NE(desc, std::string::npos);
  bytes[desc + 5] = bytes[desc + 7] = '\xFF';
  bytes[desc + 6] = bytes[desc + 8] = '\xFF';
  expectFailure(bytes, "too large");

  s.frames.assign(codecs::kGifMaxFrames, solidFrame(0, 0, 1, 1, 1));
  EXPECT_EQ(decodeGif(testpics::encodeGif(s)).frames.size(), static_cast<size_t>(codecs::kGifMaxFrames));
  s.frames.push_back(solidFrame(0, 0, 1, 1, 1));
  expectFailure(testpics::encodeGif(s), "too many frames");
}

// In an address space with room for the largest animation allowed and little more, pictures
// past the ceilings are refused by their declared sizes, before a failed allocation could.
TEST(GifDecode, HostilePicturesAreRefusedBeforeTheyCostMemory) {
  auto outcome = [](const std::string& bytes) {
    return testmem::withinAddressSpace(128 << 20, [&] {
      try {
        return "decoded " + std::to_string(decodeGif(bytes).frames.size()) + " frames";
      } catch (const DecodeError& e) {
        return std::string(e.what());
      }
    });
  };
  GifPlan s = screen();
  s.width = 16384, s.height = 4096;  // in 35 bytes
  s.frames = {solidFrame(0, 0, 1, 1, 1)};
  EXPECT_EQ(outcome(testpics::encodeGif(s)), "GIF picture is too large");
  s.width = s.height = 2048;
  EXPECT_EQ(outcome(testpics::encodeGif(s)), "decoded 1 frames");

  // A banner with as many frames as the animation ceiling holds, then one more.
  s.width = 468, s.height = 60;
  const size_t most = static_cast<size_t>(codecs::kGifMaxAnimationPixels / (468 * 60));
  s.frames.assign(most, solidFrame(0, 0, 1, 1, 1));
  EXPECT_EQ(outcome(testpics::encodeGif(s)), "decoded " + std::to_string(most) + " frames");
  s.frames.push_back(solidFrame(0, 0, 1, 1, 1));
  EXPECT_EQ(outcome(testpics::encodeGif(s)), "GIF animation is too large");

  // A frame larger than the screen is clipped, but its raster would be read whole.
  s = screen();
  s.frames = {solidFrame(0, 0, 1, 1, 1)};
  std::string bytes = testpics::encodeGif(s);
  const size_t desc = bytes.find(',');
  ASSERT_NE(desc, std::string::npos);
  bytes[desc + 5] = bytes[desc + 7] = '\0';
  bytes[desc + 6] = bytes[desc + 8] = '\x20';  // 8192 x 8192
  EXPECT_EQ(outcome(bytes), "GIF frame is too large");
}

TEST(GifDecode, ReadsFilesThroughThePlatform) {
  platform::fake::FakeFiles files;
  GifPlan s = screen();
  s.frames = {solidFrame(0, 0, 4, 3, 4)};
  files.addFile("C:\\Cache\\temp.gif", testpics::encodeGif(s));
  EXPECT_EQ(rows(shown(codecs::decodeGifFile(files, "C:\\Cache\\temp.gif"), 0)), "YYYY|YYYY|YYYY");
  try {
    codecs::decodeGifFile(files, "C:\\Cache\\none.gif");
    ADD_FAILURE();
  } catch (const DecodeError& e) {
    EXPECT_STREQ(e.what(), "Unable to read C:\\Cache\\none.gif");
  }
}
