// The skin: the DIB codec against hand-made and hostile bitmaps, the resource list against
// what the windows load, the generated pictures, sounds, cursor and icon.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "codecs/dib.h"
#include "skin/bytes.h"
#include "skin/dib.h"
#include "skin/generator.h"
#include "skin/iconfiles.h"
#include "skin/layout.h"
#include "skin/resources.h"
#include "ui/canvas.h"

namespace {

using skin::bytes::put16;
using skin::bytes::put32;
uint32_t get16(const std::string& s, size_t at) {
  return static_cast<uint8_t>(s.at(at)) | static_cast<uint32_t>(static_cast<uint8_t>(s.at(at + 1))) << 8;
}
uint32_t get32(const std::string& s, size_t at) { return get16(s, at) | get16(s, at + 2) << 16; }

// A BITMAPINFOHEADER as another program might write one.
std::string header(int32_t w, int32_t h, uint32_t bits, uint32_t colors = 0, uint32_t compression = 0,
                   uint32_t planes = 1) {
  std::string s;
  put32(s, 40);
  put32(s, static_cast<uint32_t>(w));
  put32(s, static_cast<uint32_t>(h));
  put16(s, planes);
  put16(s, bits);
  put32(s, compression);
  put32(s, 0);
  put32(s, 0);
  put32(s, 0);
  put32(s, colors);
  put32(s, 0);
  return s;
}

void paletteEntry(std::string& s, int r, int g, int b) {
  s += static_cast<char>(b);
  s += static_cast<char>(g);
  s += static_cast<char>(r);
  s += '\0';
}

ui::Bitmap pattern(int w, int h) {
  ui::Bitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.setPixel(x, y, ui::rgb(x * 37 + y, y * 91 + 3, (x ^ y) * 17));
  return b;
}

bool samePixels(const ui::Bitmap& a, const ui::Bitmap& b) {
  if (a.width() != b.width() || a.height() != b.height()) return false;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y)) return false;
  return true;
}

TEST(SkinDib, RoundTripsEveryRowPadding) {
  for (int w : {1, 2, 3, 4, 5, 7}) {
    const ui::Bitmap original = pattern(w, 3);
    const std::string dib = skin::encodeDib(original);
    EXPECT_EQ(dib.size(), 40u + ((w * 3 + 3) / 4 * 4) * 3u) << w;
    const codecs::DibResult back = codecs::decodeDib(dib);
    ASSERT_TRUE(back.ok()) << back.error;
    EXPECT_TRUE(samePixels(original, back.bitmap)) << "width " << w;
  }
}

TEST(SkinDib, EncodesBottomUpWithFileHeader) {
  ui::Bitmap b(2, 2, ui::kWhite);
  b.setPixel(0, 1, ui::rgb(1, 2, 3));  // bottom-left comes first in the file
  const std::string dib = skin::encodeDib(b);
  EXPECT_EQ(get32(dib, 0), 40u);
  EXPECT_EQ(get32(dib, 8), 2u);  // positive height: bottom-up
  EXPECT_EQ(get16(dib, 14), 24u);
  EXPECT_EQ(dib.substr(40, 3), std::string("\x03\x02\x01", 3));

  const std::string file = skin::encodeBmpFile(b);
  EXPECT_EQ(file.substr(0, 2), "BM");
  EXPECT_EQ(get32(file, 2), file.size());
  EXPECT_EQ(get32(file, 10), 54u);
  EXPECT_EQ(file.substr(14), dib);
}

TEST(SkinDib, DecodesTopDownAndThirtyTwoBits) {
  std::string s = header(2, -2, 32);
  for (uint32_t px : {0x00112233u, 0xFF445566u, 0x00778899u, 0x00AABBCCu}) put32(s, px);
  const codecs::DibResult r = codecs::decodeDib(s);
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_EQ(r.bitmap.pixel(0, 0), 0x112233u);  // first row in the data is the top row
  EXPECT_EQ(r.bitmap.pixel(1, 0), 0x445566u);  // the fourth byte is not colour
  EXPECT_EQ(r.bitmap.pixel(1, 1), 0xAABBCCu);
}

TEST(SkinDib, DecodesPalettisedDepths) {
  // 1 bit: 9 pixels wide, so a row spans two bytes and pads to four.
  std::string one = header(9, 1, 1);
  paletteEntry(one, 0, 0, 0);
  paletteEntry(one, 255, 0, 0);
  one += std::string("\xA0\x80\x00\x00", 4);  // pixels 0, 2 and 8 set
  codecs::DibResult r = codecs::decodeDib(one);
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_EQ(r.bitmap.pixel(0, 0), ui::rgb(255, 0, 0));
  EXPECT_EQ(r.bitmap.pixel(1, 0), ui::kBlack);
  EXPECT_EQ(r.bitmap.pixel(2, 0), ui::rgb(255, 0, 0));
  EXPECT_EQ(r.bitmap.pixel(8, 0), ui::rgb(255, 0, 0));

  // 4 bits with a short colour table of three entries.
  std::string four = header(3, 1, 4, 3);
  paletteEntry(four, 10, 0, 0);
  paletteEntry(four, 0, 20, 0);
  paletteEntry(four, 0, 0, 30);
  four += std::string("\x21\x00\x00\x00", 4);  // 2, 1, 0
  r = codecs::decodeDib(four);
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_EQ(r.bitmap.pixel(0, 0), ui::rgb(0, 0, 30));
  EXPECT_EQ(r.bitmap.pixel(1, 0), ui::rgb(0, 20, 0));
  EXPECT_EQ(r.bitmap.pixel(2, 0), ui::rgb(10, 0, 0));

  // 8 bits, two rows bottom-up.
  std::string eight = header(1, 2, 8, 2);
  paletteEntry(eight, 1, 1, 1);
  paletteEntry(eight, 2, 2, 2);
  eight += std::string("\x01\x00\x00\x00\x00\x00\x00\x00", 8);
  r = codecs::decodeDib(eight);
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_EQ(r.bitmap.pixel(0, 1), ui::rgb(2, 2, 2));
  EXPECT_EQ(r.bitmap.pixel(0, 0), ui::rgb(1, 1, 1));
}

// Painting from the bytes gives inside the area exactly what the decoded picture drawn there
// gives, and leaves every other pixel alone: bottom-up and top-down, partly off the target.
TEST(SkinDib, DrawsTheBytesOnlyInsideTheArea) {
  const ui::Bitmap picture = pattern(7, 5);
  std::string topDown = header(7, -5, 32);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) put32(topDown, picture.pixel(x, y));
  struct Case {
    int x, y;
    ui::Rect area;
  };
  const Case cases[] = {{0, 0, {0, 0, 10, 8}}, {2, 1, {3, 2, 6, 4}}, {-3, -2, {0, 0, 10, 8}},
                        {8, 6, {0, 0, 10, 8}}, {1, 1, {-5, -5, 40, 40}}, {0, 0, {4, 4, 4, 9}}};
  for (const std::string& bytes : {skin::encodeDib(picture), topDown}) {
    for (const Case& c : cases) {
      ui::Bitmap drawn(10, 8, ui::kBlack);
      const auto size = codecs::drawDib(bytes, drawn, c.x, c.y, c.area);
      ASSERT_TRUE(size.has_value());
      EXPECT_EQ(size->width, 7);
      EXPECT_EQ(size->height, 5);
      ui::Bitmap expected(10, 8, ui::kBlack);
      ui::Canvas canvas(expected);
      canvas.setClip(c.area);
      canvas.draw(c.x, c.y, picture);
      EXPECT_TRUE(samePixels(drawn, expected)) << c.x << "," << c.y << " area " << c.area.left << "," << c.area.top;
    }
  }
  // Bytes the decoder refuses draw nothing.
  ui::Bitmap untouched(4, 4, ui::kBlack);
  EXPECT_FALSE(codecs::drawDib(header(4, 4, 16), untouched, 0, 0, ui::Rect{0, 0, 4, 4}).has_value());
  EXPECT_EQ(untouched.pixel(0, 0), ui::kBlack);
}

TEST(SkinDib, SkipsTheOptionalTableOfTrueColourPictures) {
  std::string s = header(1, 1, 24, 2);
  paletteEntry(s, 9, 9, 9);
  paletteEntry(s, 9, 9, 9);
  s += std::string("\x01\x02\x03\x00", 4);
  const codecs::DibResult r = codecs::decodeDib(s);
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_EQ(r.bitmap.pixel(0, 0), ui::rgb(3, 2, 1));
}

TEST(SkinDib, RefusesWhatItCannotShowSafely) {
  const std::string pixel(4, '\0');
  struct Case {
    std::string bytes, why;
  };
  std::string core;
  put32(core, 12);
  core += std::string(8, '\0');
  std::string outside = header(1, 1, 8, 1);
  paletteEntry(outside, 0, 0, 0);
  outside += std::string("\x05\x00\x00\x00", 4);
  const std::vector<Case> cases = {
      {"", "empty"},
      {std::string("\x28\x00\x00", 3), "shorter than its size field"},
      {header(1, 1, 24).substr(0, 39), "header cut short"},
      {core, "old core header"},
      {header(1, 1, 24, 0, 0, 2) + pixel, "two planes"},
      {header(1, 1, 16) + pixel, "16 bits"},
      {header(1, 1, 8, 0, 1) + std::string(1024 + 4, '\0'), "run-length compressed"},
      {header(1, 1, 32, 0, 3) + std::string(16, '\0'), "bit fields"},
      {header(0, 1, 24) + pixel, "no width"},
      {header(-4, 1, 24) + pixel, "negative width"},
      {header(1, 0, 24) + pixel, "no height"},
      {header(1, INT32_MIN, 24) + pixel, "most negative height"},
      {header(20000, 1, 24) + std::string(60000, '\0'), "wider than any bitmap"},
      {header(16384, 16384, 1), "more pixels than allowed"},
      {header(2, 2, 24) + std::string(8 + 5, '\0'), "one byte of pixels missing"},
      {header(1, 1, 4, 17) + std::string(17 * 4 + 4, '\0'), "table larger than the depth"},
      {header(1, 1, 8, 0) + std::string(100, '\0'), "full table cut short"},
      {outside, "index outside the table"},
  };
  for (const Case& c : cases) {
    const codecs::DibResult r = codecs::decodeDib(c.bytes);
    EXPECT_FALSE(r.ok()) << c.why;
    EXPECT_TRUE(r.bitmap.empty()) << c.why;
    // The check without a picture refuses the same bytes for the same reason.
    EXPECT_EQ(codecs::dibError(c.bytes), r.error) << c.why;
  }
}

// Every name a window of the program loads, written out the way the windows ask for them.
std::vector<std::string> namesTheWindowsLoad() {
  std::vector<std::string> names = {"main_form", "start_form", "process_form", "soft_form", "about_form",
                                    "progress_form", "login_form", "scanner_form", "prefform", "notify",
                                    "news_today", "ram_bar", "mem_1", "mem_2", "mem_3", "mb", "online",
                                    "offline", "os_xp", "os_2000", "os_me", "os_98", "browser_ie",
                                    "browser_mo", "splitter", "hardware", "software", "qex_true",
                                    "qex_false", "error", "arrow", "norton_ui"};
  auto states = [&](const std::string& base, int n) {
    for (int i = 1; i <= n; ++i) names.push_back(base + "_" + std::to_string(i));
  };
  for (const char* b : {"stand_btn", "delete_btn", "reg_btn", "run_btn", "browse"}) states(b, 3);
  for (const char* b : {"qex_today", "freeware", "online", "reg", "login", "profile", "chat", "logout",
                        "pref_al", "pref_play", "pref_scan", "pref_sys"})
    states(b, 2);
  for (const char* b : {"clear", "empty", "norton"})
    for (const char* s : {"_chk", "_uchk", "_chk_over", "_uchk_over"}) names.push_back(std::string(b) + s);
  for (int d = 0; d <= 9; ++d) names.push_back("digit_" + std::to_string(d));
  return names;
}

TEST(SkinResources, HoldsEveryNameTheWindowsLoadOnceInLowerCase) {
  for (const std::string& name : namesTheWindowsLoad()) {
    const skin::Resource* r = skin::findResource(name);
    ASSERT_NE(r, nullptr) << name;
    EXPECT_EQ(r->kind, skin::Kind::Picture) << name;
  }
  for (const char* sound : {"warning", "photoclick"}) {
    ASSERT_NE(skin::findResource(sound), nullptr) << sound;
    EXPECT_EQ(skin::findResource(sound)->kind, skin::Kind::Sound);
  }
  std::set<std::string> seen;
  for (const skin::Resource& r : skin::resources()) {
    EXPECT_TRUE(seen.insert(r.name).second) << "listed twice: " << r.name;
    for (char c : r.name) EXPECT_TRUE((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_') << r.name;
  }
  EXPECT_EQ(skin::findResource("MAIN_FORM"), nullptr);  // the list itself is exact; Windows folds case
}

TEST(SkinResources, BackgroundsHaveTheirWindowsClientSizes) {
  const struct {
    const char* name;
    int w, h;
  } windows[] = {{"main_form", 700, 450},   {"start_form", 566, 365},  {"process_form", 566, 365},
                 {"soft_form", 566, 365},   {"scanner_form", 566, 365}, {"news_today", 566, 365},
                 {"about_form", 335, 254},  {"progress_form", 335, 254}, {"login_form", 335, 254},
                 {"prefform", 450, 266},    {"notify", 192, 250}};
  for (const auto& w : windows) {
    const ui::Bitmap b = skin::makePicture(w.name);
    EXPECT_EQ(b.width(), w.w) << w.name;
    EXPECT_EQ(b.height(), w.h) << w.name;
  }
}

TEST(SkinResources, PicturesHaveTheSizesTheirControlsGive) {
  const struct {
    const char* name;
    int w, h;
  } fixed[] = {{"stand_btn_1", 97, 24}, {"pref_al_1", 315, 19}, {"pref_sys_2", 315, 19},
               {"qex_true", 154, 19},   {"arrow", 5, 7},        {"ram_bar", 200, 8},
               {"mem_3", 200, 8},       {"list_warning", 16, 16}};
  for (const auto& f : fixed) {
    const ui::Bitmap b = skin::makePicture(f.name);
    EXPECT_EQ(b.width(), f.w) << f.name;
    EXPECT_EQ(b.height(), f.h) << f.name;
  }
  for (int d = 0; d <= 9; ++d) {
    const ui::Bitmap b = skin::makePicture("digit_" + std::to_string(d));
    EXPECT_EQ(b.width(), 6);
    EXPECT_EQ(b.height(), 8);
  }
  // The unit glyph is drawn into the last digit cell too: it must be at least a cell wide.
  EXPECT_GE(skin::makePicture("mb").width(), 6);
  EXPECT_EQ(skin::makePicture("mb").height(), 8);
}

TEST(SkinGenerator, MakesEveryListedPictureAtItsListedSize) {
  for (const skin::Resource& r : skin::resources()) {
    if (r.kind != skin::Kind::Picture) continue;
    const ui::Bitmap b = skin::makePicture(r.name);
    EXPECT_EQ(b.width(), r.width) << r.name;
    EXPECT_EQ(b.height(), r.height) << r.name;
    // A picture of one flat colour means a painter drew nothing.
    bool varied = false;
    for (int y = 0; y < b.height() && !varied; ++y)
      for (int x = 0; x < b.width() && !varied; ++x) varied = b.pixel(x, y) != b.pixel(0, 0);
    EXPECT_TRUE(varied) << r.name;
  }
  EXPECT_THROW(skin::makePicture("no_such_picture"), std::invalid_argument);
  EXPECT_THROW(skin::makePicture("warning"), std::invalid_argument);  // a sound, not a picture
  EXPECT_THROW(skin::makeSound("main_form"), std::invalid_argument);
}

TEST(SkinGenerator, StatesOfAControlAllLookDifferent) {
  std::vector<std::vector<std::string>> groups;
  for (const char* b : {"stand_btn", "delete_btn", "reg_btn", "run_btn", "browse"})
    groups.push_back({std::string(b) + "_1", std::string(b) + "_2", std::string(b) + "_3"});
  for (const char* b : {"qex_today", "freeware", "online", "reg", "login", "profile", "chat", "logout",
                        "pref_al", "pref_play", "pref_scan", "pref_sys"})
    groups.push_back({std::string(b) + "_1", std::string(b) + "_2"});
  for (const char* b : {"clear", "empty", "norton"})
    groups.push_back({std::string(b) + "_chk", std::string(b) + "_uchk", std::string(b) + "_chk_over",
                      std::string(b) + "_uchk_over"});
  groups.push_back({"norton_chk", "norton_uchk", "norton_ui"});
  groups.push_back({"qex_true", "qex_false"});
  groups.push_back({"online", "offline"});
  groups.push_back({"mem_1", "mem_2", "mem_3", "ram_bar"});
  groups.push_back({"os_xp", "os_2000", "os_me", "os_98"});
  groups.push_back({"browser_ie", "browser_mo"});
  std::vector<std::string> digits;
  for (int d = 0; d <= 9; ++d) digits.push_back("digit_" + std::to_string(d));
  groups.push_back(digits);
  for (const auto& group : groups)
    for (size_t i = 0; i < group.size(); ++i)
      for (size_t j = i + 1; j < group.size(); ++j)
        EXPECT_FALSE(samePixels(skin::makePicture(group[i]), skin::makePicture(group[j])))
            << group[i] << " looks like " << group[j];
}

TEST(SkinGenerator, DigitCellsKeepAGapToTheirNeighbours) {
  for (int d = 0; d <= 9; ++d) {
    const ui::Bitmap b = skin::makePicture("digit_" + std::to_string(d));
    const ui::Color ground = b.pixel(5, 7);
    for (int y = 0; y < 8; ++y) EXPECT_EQ(b.pixel(5, y), ground) << d;
    for (int x = 0; x < 6; ++x) EXPECT_EQ(b.pixel(x, 7), ground) << d;
    int ink = 0;
    for (int y = 0; y < 7; ++y)
      for (int x = 0; x < 5; ++x) ink += b.pixel(x, y) != ground;
    EXPECT_GE(ink, 9) << d;
  }
  // A digit cell that draws the unit shows its first six columns: they must match the unit
  // picture's, which the window shows at the same place beside the numbers.
  const ui::Bitmap mb = skin::makePicture("mb");
  EXPECT_EQ(mb.pixel(5, 4), mb.pixel(0, 7));  // column 5 is the gap after the "m"
}

// Pictures that lie on a background continue it: their ground is the background's colour
// at the place the layout puts them.
TEST(SkinGenerator, PicturesBlendIntoTheBackgroundUnderThem) {
  namespace M = skin::layout::main_form;
  const ui::Bitmap main = skin::makePicture("main_form");
  const struct {
    const char* name;
    const char* form;
    int x, y;
  } placed[] = {{"online_1", "main_form", 257, M::kLinkTop}, {"reg_2", "main_form", 346, M::kLinkTop},
                {"splitter", "main_form", 343, M::kLinkTop}, {"logout_1", "main_form", 399, M::kLinkTop},
                {"qex_today_1", "main_form", M::kNews.left, M::kLinkTop},
                {"freeware_2", "main_form", M::kFreeware.left, M::kLinkTop},
                {"delete_btn_1", "main_form", M::kToolButtons[0].left, M::kToolButtons[0].top},
                {"clear_chk", "main_form", M::kChecks[0].left, M::kChecks[0].top},
                {"digit_0", "main_form", 602, M::kTotalTop},
                {"ram_bar", "main_form", M::kMemoryBar.left, M::kMemoryBar.top},
                {"pref_al_1", "prefform", 129, 59}, {"pref_sys_2", "prefform", 129, 158},
                {"qex_true", "news_today", 408, 346}};
  for (const auto& p : placed) {
    const ui::Bitmap b = skin::makePicture(p.name);
    const ui::Bitmap form = skin::makePicture(p.form);
    for (int y : {0, b.height() - 1})
      EXPECT_EQ(b.pixel(0, y), form.pixel(p.x, p.y + y)) << p.name << " row " << y;
  }
  // The large hot areas show the background's own drawing until the mouse is over them.
  const ui::Bitmap soft = skin::makePicture("software");
  EXPECT_EQ(soft.pixel(0, 0), main.pixel(M::kSoftware.left, M::kSoftware.top));

  // The standard button's corners sit on the dark ground of every window that shows it.
  const ui::Bitmap button = skin::makePicture("stand_btn_1");
  const struct {
    const char* form;
    int x, y;
  } buttons[] = {{"about_form", 216, 208}, {"progress_form", 120, 208}, {"prefform", 232, 224},
                 {"prefform", 336, 224},   {"start_form", 64, 288},      {"process_form", 64, 288},
                 {"scanner_form", skin::layout::scanner_form::kButtons[2].left, skin::layout::scanner_form::kButtons[2].top},
                 {"login_form", skin::layout::login_form::kButtons[1].left, skin::layout::login_form::kButtons[1].top}};
  for (const auto& b : buttons) {
    const ui::Bitmap form = skin::makePicture(b.form);
    EXPECT_EQ(button.pixel(0, 0), form.pixel(b.x, b.y)) << b.form;
    EXPECT_EQ(button.pixel(96, 23), form.pixel(b.x + 96, b.y + 23)) << b.form;
  }
}

TEST(SkinGenerator, KeyedPicturesKeepTheirKeyInTheBottomLeftCorner) {
  // "error" is drawn transparently on white, keyed on its bottom-left pixel.
  const ui::Bitmap error = skin::makePicture("error");
  EXPECT_EQ(error.pixel(0, error.height() - 1), ui::kWhite);
  // The arrow is keyed the same way: its ink must not be the corner's colour.
  const ui::Bitmap arrow = skin::makePicture("arrow");
  const ui::Color key = arrow.pixel(0, arrow.height() - 1);
  int ink = 0;
  for (int y = 0; y < arrow.height(); ++y)
    for (int x = 0; x < arrow.width(); ++x) ink += arrow.pixel(x, y) != key;
  EXPECT_GE(ink, 5);
}

void expectPcmWave(const std::string& wav, const char* name) {
  SCOPED_TRACE(name);
  ASSERT_GE(wav.size(), 44u);
  EXPECT_EQ(wav.substr(0, 4), "RIFF");
  EXPECT_EQ(get32(wav, 4), wav.size() - 8);
  EXPECT_EQ(wav.substr(8, 8), "WAVEfmt ");
  EXPECT_EQ(get32(wav, 16), 16u);
  EXPECT_EQ(get16(wav, 20), 1u);  // PCM
  EXPECT_EQ(get16(wav, 22), 1u);  // mono
  const uint32_t rate = get32(wav, 24);
  EXPECT_EQ(get32(wav, 28), rate * 2);
  EXPECT_EQ(get16(wav, 32), 2u);
  EXPECT_EQ(get16(wav, 34), 16u);
  EXPECT_EQ(wav.substr(36, 4), "data");
  EXPECT_EQ(get32(wav, 40), wav.size() - 44);
  const double seconds = (wav.size() - 44) / 2.0 / rate;
  EXPECT_GT(seconds, 0.05);
  EXPECT_LT(seconds, 1.5);  // short: it plays on every find
  int peak = 0;
  for (size_t i = 44; i + 1 < wav.size(); i += 2) {
    const int v = static_cast<int16_t>(get16(wav, i));
    peak = std::max(peak, v < 0 ? -v : v);
  }
  EXPECT_GT(peak, 3000);   // audible
  EXPECT_LT(peak, 32767);  // not clipped
  EXPECT_LT(std::abs(static_cast<int16_t>(get16(wav, 44))), 200);  // starts without a pop
  EXPECT_LT(std::abs(static_cast<int16_t>(get16(wav, wav.size() - 2))), 200);
}

TEST(SkinSounds, AreShortCleanPcmWaves) {
  expectPcmWave(skin::makeSound("warning"), "warning");
  expectPcmWave(skin::makeSound("photoclick"), "photoclick");
  EXPECT_EQ(skin::makeSound("photoclick"), skin::makeSound("photoclick"));  // same bytes every build
}

// The AND-mask bit of a 32 × 32 cursor or icon image at (x, y), counted from the top.
bool maskBit(const std::string& file, size_t image, int size, int bits, int x, int y) {
  const size_t colours = bits <= 8 ? (1u << bits) * 4 : 0;
  const size_t colourRows = static_cast<size_t>(((size * bits + 31) / 32) * 4) * size;
  const size_t maskStride = ((size + 31) / 32) * 4;
  const size_t at = image + 40 + colours + colourRows + maskStride * (size - 1 - y) + x / 8;
  return (static_cast<uint8_t>(file.at(at)) >> (7 - x % 8)) & 1;
}

TEST(SkinCursor, HandIsAMonochromeCursorWithItsHotSpotOnTheFinger) {
  const std::string cur = skin::handCursorFile();
  EXPECT_EQ(get16(cur, 0), 0u);
  EXPECT_EQ(get16(cur, 2), 2u);  // cursor
  EXPECT_EQ(get16(cur, 4), 1u);
  EXPECT_EQ(static_cast<uint8_t>(cur[6]), 32);
  EXPECT_EQ(static_cast<uint8_t>(cur[7]), 32);
  EXPECT_EQ(get16(cur, 10), static_cast<uint32_t>(skin::kHandHotX));
  EXPECT_EQ(get16(cur, 12), static_cast<uint32_t>(skin::kHandHotY));
  const uint32_t bytes = get32(cur, 14), offset = get32(cur, 18);
  EXPECT_EQ(offset + bytes, cur.size());
  EXPECT_EQ(get32(cur, offset + 4), 32u);
  EXPECT_EQ(get32(cur, offset + 8), 64u);  // colour rows and mask
  EXPECT_EQ(get16(cur, offset + 14), 1u);
  EXPECT_FALSE(maskBit(cur, offset, 32, 1, skin::kHandHotX, skin::kHandHotY));  // the tip is drawn
  EXPECT_TRUE(maskBit(cur, offset, 32, 1, 0, 0));                               // the corners are not
  EXPECT_TRUE(maskBit(cur, offset, 32, 1, 31, 31));
}

TEST(SkinIcon, HoldsThreeSizesInsideTheFile) {
  const std::string ico = skin::appIconFile();
  EXPECT_EQ(get16(ico, 2), 1u);  // icon
  ASSERT_EQ(get16(ico, 4), 3u);
  for (int i = 0; i < 3; ++i) {
    const size_t entry = 6 + 16 * i;
    const int size = static_cast<uint8_t>(ico[entry]);
    const uint32_t bytes = get32(ico, entry + 8), offset = get32(ico, entry + 12);
    EXPECT_LE(offset + bytes, ico.size());
    EXPECT_EQ(get32(ico, offset + 4), static_cast<uint32_t>(size));
    EXPECT_EQ(get32(ico, offset + 8), static_cast<uint32_t>(size * 2));
    EXPECT_TRUE(maskBit(ico, offset, size, 32, 0, 0)) << size;  // round mark, clear corners
    EXPECT_FALSE(maskBit(ico, offset, size, 32, size / 2, size / 2)) << size;
  }
}

}  // namespace
