// The headline file: its records, what a cut or hostile file gives, and the small texts inside
// its fields.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "online/headlines.h"
#include "online/headlinewriter.h"
#include "online/newstext.h"
#include "platform/fake/fake_files.h"
#include "scan/scramble.h"

namespace {

using online::HeadlineRecord;

std::string field(int32_t length, const std::string& stored) {
  std::string bytes;
  for (int i = 0; i < 4; ++i) bytes += static_cast<char>(static_cast<uint32_t>(length) >> (8 * i) & 0xFF);
  return bytes + stored;
}

// A field as the server's tool stores it: length, scrambled text, zero.
std::string textField(const std::string& text) {
  return field(static_cast<int32_t>(text.size() + 1), scan::scrambleText(text) + '\0');
}

const std::vector<HeadlineRecord> kThree = {
    {"1.15.01.05", "", "a.gif|http://a/|Ad A\n"},
    {"Jo Painter", "Sunset", "http://author|http://picture|http://img/g.jpg"},
    {"Lead story", "More|http://lead/", "Line one\r\nLine two"},
};

void expectRecords(const std::vector<HeadlineRecord>& got, const std::vector<HeadlineRecord>& want) {
  ASSERT_EQ(got.size(), want.size());
  for (size_t i = 0; i < got.size(); ++i) {
    EXPECT_EQ(got[i].text1, want[i].text1) << i;
    EXPECT_EQ(got[i].text2, want[i].text2) << i;
    EXPECT_EQ(got[i].text3, want[i].text3) << i;
  }
}

TEST(ParseHeadlines, ReadsRecordsBackToBackWithCrAndLfKept) {
  expectRecords(online::parseHeadlines(online::encodeHeadlines(kThree)), kThree);
  EXPECT_TRUE(online::parseHeadlines("").empty());
  // An empty text is a length of 1 and a zero.
  const std::string empty = textField("");
  EXPECT_EQ(empty, std::string("\x01\0\0\0\0", 5));
  expectRecords(online::parseHeadlines(empty + empty + empty), {{"", "", ""}});
}

TEST(ParseHeadlines, ACutFileKeepsTheRecordsBeforeTheCut) {
  const std::string bytes = online::encodeHeadlines(kThree);
  const size_t lastRecord = online::encodeHeadlines({kThree[0], kThree[1]}).size();
  // Cut inside the last record's third field, inside its length, and one byte after it.
  for (size_t cut : {bytes.size() - 1, bytes.size() - textField(kThree[2].text3).size() + 2, lastRecord + 1})
    expectRecords(online::parseHeadlines(bytes.substr(0, cut)), {kThree[0], kThree[1]});
  expectRecords(online::parseHeadlines(bytes + "\x05\0"), kThree);
}

TEST(ParseHeadlines, ALengthThatIsNegativeOrRunsPastTheEndIsACut) {
  const std::string first = online::encodeHeadlines({kThree[0]});
  for (int32_t bad : {-1, INT32_MIN, INT32_MAX, 7}) {
    const std::string bytes = first + textField("t1") + field(bad, "abcdef") + textField("t3");
    expectRecords(online::parseHeadlines(bytes), {kThree[0]});
  }
}

TEST(ParseHeadlines, TheTextEndsAtTheFirstZeroOrTakesAllItsBytes) {
  const std::string noZero = field(3, scan::scrambleText("abc"));
  const std::string zeroInside = field(6, scan::scrambleText("ab") + '\0' + "xyz");
  const std::string noBytes = field(0, "");
  expectRecords(online::parseHeadlines(noZero + zeroInside + noBytes), {{"abc", "ab", ""}});
  // A stored key byte reads back as a zero and ends the text too.
  const std::string keyInside = field(5, scan::scrambleText("ab") + char(scan::kScrambleKey) + std::string("c\0", 2));
  expectRecords(online::parseHeadlines(keyInside + noZero + noZero), {{"ab", "abc", "abc"}});
}

TEST(ParseHeadlines, AnOverlongFirstTextIsCutAndTheRestStaysInStep) {
  const std::string longText(300, 'h'), longBody(70000, 'b');
  const std::vector<HeadlineRecord> records = {{longText, longText, longBody}, {"next", "u", "s"}};
  std::string bytes;
  for (const auto& r : records) bytes += textField(r.text1) + textField(r.text2) + textField(r.text3);
  expectRecords(online::parseHeadlines(bytes), {{std::string(255, 'h'), longText, longBody}, records[1]});
}

TEST(HeadlineList, LoadReplacesTheRecordsAndReportsAFileItCannotUse) {
  platform::fake::FakeFiles files;
  const std::string path = "C:\\QEX\\Cache\\headlines.db";
  files.addFile(path, online::encodeHeadlines(kThree));
  online::HeadlineList list;
  std::string said;
  const auto log = [&](const char* line) { said += line; };
  list.Load(files, path, log);
  ASSERT_EQ(list.count(), 3u);
  EXPECT_EQ(list.at(2).text1, "Lead story");
  EXPECT_EQ(said, "");

  files.addFile(path, online::encodeHeadlines({kThree[0]}));
  list.Load(files, path, log);
  EXPECT_EQ(list.count(), 1u);

  files.remove(path);
  list.Load(files, path, log);
  EXPECT_EQ(list.count(), 0u);
  EXPECT_EQ(said, "Error opening Headline file.\n");

  files.addFile(path, online::encodeHeadlines(kThree));
  list.Load(files, path, log);
  files.addFile(path, std::string(online::kMaxHeadlineFile + 1, '\0'));
  list.Load(files, path, log);
  EXPECT_EQ(list.count(), 0u);
  EXPECT_EQ(said, "Error opening Headline file.\nHeadline file too large.\n");
}

TEST(HeadlineWriter, RefusesTextsThatWouldNotReadBack) {
  EXPECT_EQ(online::headlineTextProblem(std::string(255, 'a'), true), std::nullopt);
  EXPECT_EQ(online::headlineTextProblem(std::string(256, 'a'), true), "is longer than 255 bytes");
  EXPECT_EQ(online::headlineTextProblem(std::string(256, 'a'), false), std::nullopt);
  EXPECT_EQ(online::headlineTextProblem("a\x1b", false), "holds the byte 0x1B, which would end the text there");
  // A plain zero is stored as the key byte, which reads back as a zero too.
  const std::string zero("a\0b", 3);
  EXPECT_EQ(online::headlineTextProblem(zero, false), "holds the byte 0x00, which would end the text there");
  EXPECT_EQ(online::parseHeadlines(online::encodeHeadlines({{"t", zero, "s"}}))[0].text2, "a");
  EXPECT_EQ(online::headlineTextProblem("a|b\r\n", false), std::nullopt);
}

struct Advert {
  std::string image, click, hint;
  bool operator==(const Advert& o) const { return image == o.image && click == o.click && hint == o.hint; }
};
std::ostream& operator<<(std::ostream& os, const Advert& a) {
  return os << "(" << a.image << ", " << a.click << ", " << a.hint << ")";
}

std::vector<Advert> adverts(const online::AdvertList& list) {
  std::vector<Advert> out;
  for (size_t i = 0; i < list.count(); ++i) out.push_back({list.at(i).imageUrl, list.at(i).clickUrl, list.at(i).hint});
  return out;
}

std::vector<Advert> parse(online::NewsText& state, const std::string& text) {
  online::AdvertList list;
  online::ParseAdvertList(text, state, list);
  return adverts(list);
}

TEST(ParseAdvertList, OneAdvertPerLineEndedByLf) {
  online::NewsText state;
  EXPECT_EQ(parse(state, "a|b|c\nd|e|f\n"), (std::vector<Advert>{{"a", "b", "c"}, {"d", "e", "f"}}));
  EXPECT_EQ(parse(state, "a|b|c\nd|e|f"), (std::vector<Advert>{{"a", "b", "c"}}));
  EXPECT_EQ(parse(state, "a|b|c|d\r\n"), (std::vector<Advert>{{"a", "b", "c|d\r"}}));
  EXPECT_EQ(parse(state, ""), std::vector<Advert>{});
}

TEST(ParseAdvertList, ALineShortOfPartsKeepsThoseOfTheLineBefore) {
  online::NewsText fresh;
  EXPECT_EQ(parse(fresh, "only\n"), (std::vector<Advert>{{"", "", "only"}}));
  online::NewsText state;
  EXPECT_EQ(parse(state, "a|b|c\nx|y\nz\n"),
            (std::vector<Advert>{{"a", "b", "c"}, {"x", "b", "y"}, {"x", "b", "z"}}));
  // A line left unfinished by one text does not leak into the next text's first line.
  EXPECT_EQ(parse(state, "p|q"), std::vector<Advert>{});
  EXPECT_EQ(parse(state, "r|s|t\n"), (std::vector<Advert>{{"r", "s", "t"}}));
}

// Each short line copies the long parts of the line before: a list of a megabyte could ask
// for hundreds of gigabytes.
TEST(ParseAdvertList, AListMadeToFillTheMachineStopsAtItsLimits) {
  online::NewsText state;
  online::AdvertList list;
  const std::string longPart(100000, 'A');
  const std::string text = longPart + "|" + longPart + "|hint\n" + std::string(100000, '\n');
  online::ParseAdvertList(text, state, list);
  ASSERT_EQ(list.count(), online::kMaxAdverts);
  for (size_t i = 0; i < list.count(); ++i) {
    EXPECT_EQ(list.at(i).imageUrl, longPart.substr(0, online::kMaxAdvertPart));
    EXPECT_EQ(list.at(i).clickUrl.size(), online::kMaxAdvertPart);
  }
  EXPECT_EQ(list.at(0).hint, "hint");
  EXPECT_EQ(list.at(1).hint, "");
}

TEST(SplitGalleryLinks, AuthorPictureAndTheRestAsImage) {
  online::NewsText s;
  online::SplitGalleryLinks("x|y|z", s);
  EXPECT_EQ(s.authorLink + "," + s.pictureLink + "," + s.galleryImageUrl, "x,y,z");
  online::SplitGalleryLinks("x|y|z|w", s);
  EXPECT_EQ(s.authorLink + "," + s.pictureLink + "," + s.galleryImageUrl, "x,y,z|w");
  online::SplitGalleryLinks("x|z", s);
  EXPECT_EQ(s.authorLink + "," + s.pictureLink + "," + s.galleryImageUrl, "x,,z");
  online::SplitGalleryLinks("z", s);
  EXPECT_EQ(s.authorLink + "," + s.pictureLink + "," + s.galleryImageUrl, ",,z");
  online::SplitGalleryLinks("x|y|", s);
  EXPECT_EQ(s.authorLink + "," + s.pictureLink + "," + s.galleryImageUrl, "x,y,");
}

TEST(SplitNewsLink, CaptionBeforeTheLastBarAndUrlAfterIt) {
  online::NewsText s;
  online::SplitNewsLink("c|u", s);
  EXPECT_EQ(s.newsLinkCaption + "," + s.newsLinkUrl, "c,u");
  online::SplitNewsLink("a|c|u", s);
  EXPECT_EQ(s.newsLinkCaption + "," + s.newsLinkUrl, "c,u");
  online::SplitNewsLink("plain", s);  // no bar: the caption stays
  EXPECT_EQ(s.newsLinkCaption + "," + s.newsLinkUrl, "c,plain");
  online::SplitNewsLink("", s);
  EXPECT_EQ(s.newsLinkCaption + "," + s.newsLinkUrl, "c,plain");
  online::SplitNewsLink("k|", s);
  EXPECT_EQ(s.newsLinkCaption + "," + s.newsLinkUrl, "k,");
}

}  // namespace
