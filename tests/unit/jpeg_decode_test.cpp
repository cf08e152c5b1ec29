#include <gtest/gtest.h>

#include "codecs/decode_error.h"
#include "codecs/jpeg.h"
#include "tests/unit/address_ceiling.h"
#include "tests/unit/codec_pictures.h"

using codecs::decodeJpeg;
using codecs::DecodeError;
using codecs::JpegDecoder;
using testpics::colourDistance;
using testpics::encodeJpeg;
using testpics::JpegColour;
using testpics::JpegPlan;

namespace {

constexpr ui::Color kRed = ui::rgb(220, 30, 30), kGreen = ui::rgb(30, 200, 60),
                    kBlue = ui::rgb(20, 40, 210), kWhite = ui::rgb(250, 250, 250);

// Four quadrants of plain colour, so lossy decoding still gives clear values inside each.
JpegPlan quadrants(int w, int h) {
  JpegPlan s;
  s.width = w, s.height = h;
  s.pixel = [w, h](int x, int y) {
    const bool right = x >= w / 2, bottom = y >= h / 2;
    return bottom ? (right ? kWhite : kBlue) : (right ? kGreen : kRed);
  };
  return s;
}

void expectQuadrants(const ui::Bitmap& b, int tolerance) {
  const int w = b.width(), h = b.height();
  EXPECT_LE(colourDistance(b.pixel(w / 4, h / 4), kRed), tolerance);
  EXPECT_LE(colourDistance(b.pixel(3 * w / 4, h / 4), kGreen), tolerance);
  EXPECT_LE(colourDistance(b.pixel(w / 4, 3 * h / 4), kBlue), tolerance);
  EXPECT_LE(colourDistance(b.pixel(3 * w / 4, 3 * h / 4), kWhite), tolerance);
}

void expectFailure(const std::string& bytes, const std::string& why) {
  try {
    JpegDecoder(bytes).decode(1);
    ADD_FAILURE() << "decoded, expected: " << why;
  } catch (const DecodeError& e) {
    EXPECT_NE(std::string(e.what()).find(why), std::string::npos) << e.what();
  }
}

}  // namespace

TEST(JpegDecode, FullSizeColourPictureAsPlainWords) {
  const ui::Bitmap b = decodeJpeg(encodeJpeg(quadrants(64, 48)));
  ASSERT_EQ(b.width(), 64);
  ASSERT_EQ(b.height(), 48);
  expectQuadrants(b, 12);
  for (int y = 0; y < b.height(); ++y)
    for (int x = 0; x < b.width(); ++x) ASSERT_EQ(b.row(y)[x] >> 24, 0u) << x << "," << y;
}

TEST(JpegDecode, ReducedScalesRoundTheSizeUp) {
  const std::string bytes = encodeJpeg(quadrants(100, 75));
  const std::pair<int, ui::Size> expected[] = {{1, {100, 75}}, {2, {50, 38}}, {4, {25, 19}}, {8, {13, 10}}};
  for (const auto& [denominator, size] : expected) {
    JpegDecoder d(bytes);
    EXPECT_EQ(d.fullSize().width, 100);
    EXPECT_EQ(d.sizeAt(denominator).width, size.width) << denominator;
    EXPECT_EQ(d.sizeAt(denominator).height, size.height) << denominator;
    const ui::Bitmap b = d.decode(denominator);
    EXPECT_EQ(b.width(), size.width);
    EXPECT_EQ(b.height(), size.height);
    expectQuadrants(b, 24);
  }
}

TEST(JpegDecode, ProgressiveGreyAndInkPicturesComeOutAsRgb) {
  JpegPlan progressive = quadrants(48, 32);
  progressive.progressive = true;
  expectQuadrants(decodeJpeg(encodeJpeg(progressive)), 12);

  JpegPlan grey = quadrants(32, 32);
  grey.colour = JpegColour::Grey;
  const ui::Bitmap g = decodeJpeg(encodeJpeg(grey));
  const ui::Color c = g.pixel(8, 8);
  EXPECT_EQ((c >> 16) & 255, c & 255);
  EXPECT_EQ((c >> 8) & 255, c & 255);
  EXPECT_NEAR(static_cast<int>(c & 255), (220 + 30 + 30) / 3, 4);

  for (JpegColour ink : {JpegColour::Cmyk, JpegColour::Ycck}) {
    JpegPlan s = quadrants(32, 32);
    s.colour = ink;
    expectQuadrants(decodeJpeg(encodeJpeg(s)), 16);
  }
}

TEST(JpegDecode, RefusesColourSpacesNoViewerKnows) {
  JpegPlan s;
  s.colour = JpegColour::TwoChannels;
  expectFailure(encodeJpeg(s), "unsupported colour space");
}

TEST(JpegDecode, RefusesWhatIsNoPictureOrACutOne) {
  expectFailure("", "Broken JPEG picture");
  expectFailure("GIF89a and so on", "Broken JPEG picture");
  JpegPlan noisy = quadrants(64, 64);
  noisy.pixel = [](int x, int y) { return static_cast<ui::Color>((x * 2654435761u) ^ (y * 40503u)) & 0xFFFFFF; };
  const std::string whole = encodeJpeg(noisy);
  expectFailure(whole.substr(0, 2), "contains no image");
  expectFailure(whole.substr(0, 300), "Broken JPEG picture");
  // Cut inside the rows: the rest would show grey, so the picture is refused.
  expectFailure(whole.substr(0, whole.size() * 3 / 4), "premature end of data segment");
  // All rows are there: a missing end marker alone does not spoil the picture.
  EXPECT_EQ(decodeJpeg(whole.substr(0, whole.size() - 2)).width(), 64);
}

TEST(JpegDecode, SurvivesEveryCutAndFlippedByte) {
  for (bool progressive : {false, true}) {
    JpegPlan s = quadrants(24, 16);
    s.progressive = progressive;
    const std::string whole = encodeJpeg(s);
    for (size_t n = 0; n < whole.size(); ++n) {
      try {
        decodeJpeg(whole.substr(0, n));
      } catch (const DecodeError&) {
      }
      std::string flipped = whole;
      flipped[n] = static_cast<char>(flipped[n] ^ 0x5A);
      try {
        decodeJpeg(flipped);
      } catch (const DecodeError&) {
      }
    }
  }
}

TEST(JpegDecode, CapsTheNumberOfProgressiveScans) {
  JpegPlan s = quadrants(32, 32);  // quadrants of whole colour blocks survive the missing bands
  s.acScans = codecs::kJpegMaxScans - 1;  // with the DC scan: exactly the limit
  expectQuadrants(decodeJpeg(encodeJpeg(s)), 16);
  s.acScans = codecs::kJpegMaxScans;
  expectFailure(encodeJpeg(s), "more than 100 scans");
}

TEST(JpegDecode, RefusesSizesBeyondTheBitmapLimits) {
  const std::string small = encodeJpeg(quadrants(16, 16));
  const int side = ui::Bitmap::kMaxSide;
  const int rows = static_cast<int>(ui::Bitmap::kMaxPixels / side);
  JpegDecoder largest(testpics::withJpegSize(small, side, rows));
  EXPECT_EQ(largest.sizeAt(8).width, side / 8);
  EXPECT_THROW(JpegDecoder(testpics::withJpegSize(small, side, rows + 1)), DecodeError);
  EXPECT_THROW(JpegDecoder(testpics::withJpegSize(small, side + 1, 1)), DecodeError);
  expectFailure(testpics::withJpegSize(small, 1, side + 1), "too large");
}

// In an address space with room for what the ceilings allow and little more, pictures past
// them are refused by the sizes their headers declare, before a failed allocation could; the
// ones within them fail only where their data runs out.
TEST(JpegDecode, HostilePicturesAreRefusedBeforeTheyCostMemory) {
  auto outcome = [](const std::string& bytes, int denominator) {
    return testmem::withinAddressSpace(96 << 20, [&] {
      try {
        const ui::Bitmap b = JpegDecoder(bytes).decode(denominator);
        return "decoded " + std::to_string(b.width()) + " x " + std::to_string(b.height());
      } catch (const DecodeError& e) {
        return std::string(e.what());
      }
    });
  };
  const std::string baseline = encodeJpeg(quadrants(16, 16));
  JpegPlan plan = quadrants(16, 16);
  plan.progressive = true;
  const std::string progressive = encodeJpeg(plan);
  const std::string cut = "Broken JPEG picture: Corrupt JPEG data: premature end of data segment";

  EXPECT_EQ(outcome(testpics::withJpegSize(baseline, 30000, 30000), 8),
            "JPEG picture is too large");
  // Four megapixels at 1/2, sixteen whole.
  const std::string large = testpics::withJpegSize(baseline, 4096, 4096);
  EXPECT_EQ(outcome(large, 1), "JPEG picture is too large at 1/1");
  EXPECT_EQ(outcome(large, 2), cut);
  // Read in many scans, the picture is held whole whatever the scale: 192 MB of coefficients
  // at 8192 x 8192 with halved colour, 48 MB at 4096 x 4096.
  EXPECT_EQ(outcome(testpics::withJpegSize(progressive, 8192, 8192), 8),
            "JPEG picture needs too much memory to decode");
  EXPECT_EQ(outcome(testpics::withJpegSize(progressive, 4096, 4096), 8), cut);
}

TEST(JpegDecode, ADecoderDecodesOnceAtTheScalesItKnows) {
  JpegDecoder d(encodeJpeg(quadrants(16, 16)));
  EXPECT_THROW(d.sizeAt(3), std::invalid_argument);
  d.decode(2);
  EXPECT_THROW(d.decode(2), std::logic_error);
}
