// Signature lists: the scramble key against every byte an entry may hold, line splitting,
// which lines count as entries, and loading through the file layer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fake/fake_files.h"
#include "scan/scramble.h"
#include "scan/signatures.h"
#include "scan/signaturewriter.h"

namespace {

using Status = scan::SignatureList::Status;

// TAB, printable ASCII and the upper half of the ANSI code page, where its letters lie.
std::vector<unsigned char> entryBytes() {
  std::vector<unsigned char> bytes{0x09};
  for (int b = 0x20; b <= 0x7E; ++b) bytes.push_back(static_cast<unsigned char>(b));
  for (int b = 0x80; b <= 0xFF; ++b) bytes.push_back(static_cast<unsigned char>(b));
  return bytes;
}

TEST(ScrambleKey, NoEntryByteIsStoredAsTerminatorOrLineEnd) {
  for (unsigned char b : entryBytes()) {
    const auto stored = static_cast<unsigned char>(scan::scrambleText(std::string(1, char(b)))[0]);
    EXPECT_NE(stored, 0x00) << int(b);
    EXPECT_NE(stored, 0x0A) << int(b);
    EXPECT_NE(stored, 0x0D) << int(b);
    EXPECT_EQ(scan::signatureLineProblem(std::string(1, char(b))), std::nullopt) << int(b);
  }
  // Headline texts carry CR and LF; they must not be the byte that reads back as a zero.
  EXPECT_NE(scan::kScrambleKey, '\n');
  EXPECT_NE(scan::kScrambleKey, '\r');
}

TEST(UnscrambleText, IsTheInverseOfScramblingForEveryByteButTheKey) {
  std::string plain;
  for (int b = 1; b <= 0xFF; ++b)
    if (b != scan::kScrambleKey) plain += static_cast<char>(b);
  const std::string stored = scan::scrambleText(plain);
  EXPECT_NE(stored, plain);
  EXPECT_EQ(scan::UnscrambleText(stored), plain);
}

TEST(UnscrambleText, EndsBeforeAStoredKeyByteAndKeepsLongLinesWhole) {
  const std::string stored = scan::scrambleText("abc") + char(scan::kScrambleKey) + scan::scrambleText("def");
  EXPECT_EQ(scan::UnscrambleText(stored), "abc");
  EXPECT_EQ(scan::UnscrambleText(""), "");
  const std::string longest(255, 'k');
  EXPECT_EQ(scan::UnscrambleText(scan::scrambleText(longest)), longest);
  const std::string longer(4000, 'k');
  EXPECT_EQ(scan::UnscrambleText(scan::scrambleText(longer)), longer);
}

TEST(SplitLines, EveryKindOfLineEndEndsOneLine) {
  using V = std::vector<std::string>;
  EXPECT_EQ(scan::splitLines("a\r\nb\r\n"), (V{"a", "b"}));
  EXPECT_EQ(scan::splitLines("a\rb\nc"), (V{"a", "b", "c"}));
  EXPECT_EQ(scan::splitLines("a\n\rb"), (V{"a", "", "b"}));  // LF then CR: two line ends
  EXPECT_EQ(scan::splitLines("a\r\r\nb\r"), (V{"a", "", "b"}));
  EXPECT_EQ(scan::splitLines("\r\n"), (V{""}));
  EXPECT_EQ(scan::splitLines(""), V{});
  EXPECT_EQ(scan::splitLines(std::string("x\0y\n", 4)), (V{std::string("x\0y", 3)}));
}

TEST(ParseSignatureList, KeepsEntriesInOrderAndPassesOverWhatIsNoEntry) {
  const std::string longest(255, 'a'), tooLong(256, 'b');
  const std::string bytes = scan::scrambleText("\\Software\\One") + "\r\n" + "\r\n" +
                            scan::scrambleText(longest) + "\n" + scan::scrambleText(tooLong) + "\r" +
                            scan::scrambleText("cut") + char(scan::kScrambleKey) + "rest\r\n" +
                            scan::scrambleText("\\Software\\Two") + "\r\n";
  const auto list = scan::parseSignatureList(bytes);
  EXPECT_EQ(list.status, Status::Loaded);
  ASSERT_EQ(list.lines.size(), 3u);
  EXPECT_EQ(scan::UnscrambleText(list.lines[0]), "\\Software\\One");
  EXPECT_EQ(scan::UnscrambleText(list.lines[1]), longest);
  EXPECT_EQ(scan::UnscrambleText(list.lines[2]), "\\Software\\Two");
  EXPECT_EQ(list.passedOver, 3u);  // the empty line, the 256-character one and the cut one
}

TEST(SignatureLists, LieBesideTheProgramInPhaseOrder) {
  EXPECT_EQ(scan::signatureListPath("C:\\Program Files\\QEX\\", scan::kSignatureListNames[0]),
            "C:\\Program Files\\QEX\\ThreatData.db");
  const std::vector<std::string> names(scan::kSignatureListNames.begin(), scan::kSignatureListNames.end());
  EXPECT_EQ(names, (std::vector<std::string>{"ThreatData.db", "ThreatDataExt1.db", "ThreatDataExt2.db",
                                             "SysDataExt2.db", "ThreatDataExt3.db", "SysDataExt3.db",
                                             "SysDataExt1.db"}));
}

class LoadSignatureList : public ::testing::Test {
 protected:
  platform::fake::FakeFiles files;
  const std::string dir = "C:\\QEX\\";
  std::string path(const char* name) { return scan::signatureListPath(dir, name); }
};

TEST_F(LoadSignatureList, ReadsTheEntriesOfAList) {
  files.addFile(path("SysDataExt1.db"), scan::encodeSignatureList({"Fake Run Value", "Other"}));
  const auto list = scan::loadSignatureList(files, "c:\\qex\\sysdataext1.DB");
  EXPECT_EQ(list.status, Status::Loaded);
  ASSERT_EQ(list.lines.size(), 2u);
  EXPECT_EQ(scan::UnscrambleText(list.lines[1]), "Other");
}

TEST_F(LoadSignatureList, AnEmptyListIsLoadedWithNoEntries) {
  files.addFile(path("ThreatData.db"), "");
  const auto list = scan::loadSignatureList(files, path("ThreatData.db"));
  EXPECT_EQ(list.status, Status::Loaded);
  EXPECT_TRUE(list.lines.empty());
}

TEST_F(LoadSignatureList, TellsMissingFromUnreadableFromTooLarge) {
  EXPECT_EQ(scan::loadSignatureList(files, path("ThreatData.db")).status, Status::Missing);
  files.addDir(path("ThreatDataExt1.db"));
  EXPECT_EQ(scan::loadSignatureList(files, path("ThreatDataExt1.db")).status, Status::Missing);

  files.addFile(path("ThreatDataExt2.db"), scan::encodeSignatureList({"\\Software\\X"}));
  files.makeUnreadable(path("ThreatDataExt2.db"));
  const auto unreadable = scan::loadSignatureList(files, path("ThreatDataExt2.db"));
  EXPECT_EQ(unreadable.status, Status::Unreadable);
  EXPECT_EQ(scan::signatureListError(unreadable, path("ThreatDataExt2.db")),
            "The signature list C:\\QEX\\ThreatDataExt2.db cannot be opened.");

  files.addFile(path("SysDataExt2.db"), std::string(scan::kMaxSignatureFile + 1, 'a'));
  const auto large = scan::loadSignatureList(files, path("SysDataExt2.db"));
  EXPECT_EQ(large.status, Status::TooLarge);
  EXPECT_TRUE(large.lines.empty());
  EXPECT_EQ(scan::signatureListError(large, path("SysDataExt2.db")),
            "The signature list C:\\QEX\\SysDataExt2.db is larger than 4 MB and cannot be used.");

  files.addFile(path("SysDataExt3.db"), std::string(scan::kMaxSignatureFile, 'a'));
  EXPECT_EQ(scan::loadSignatureList(files, path("SysDataExt3.db")).status, Status::Loaded);
}

TEST(SignatureWriter, RefusesWhatWouldNotReadBackAndStoresTheRestWithCrLf) {
  EXPECT_EQ(scan::signatureLineProblem(""), "is empty");
  EXPECT_EQ(scan::signatureLineProblem(std::string(256, 'x')), "is longer than 255 characters");
  EXPECT_EQ(scan::signatureLineProblem(std::string(255, 'x')), std::nullopt);
  EXPECT_EQ(scan::signatureLineProblem("a\x1b"), "holds the byte 0x1B, which would be stored as 0x00");
  EXPECT_EQ(scan::signatureLineProblem("a\x11"), "holds the byte 0x11, which would be stored as 0x0A");
  EXPECT_EQ(scan::signatureLineProblem("a\x16"), "holds the byte 0x16, which would be stored as 0x0D");
  // A plain zero is stored as the key byte, which the scan reads as the end of the line.
  EXPECT_EQ(scan::signatureLineProblem(std::string("a\0b", 3)), "holds the byte 0x00, which would end the line there");
  EXPECT_EQ(scan::parseSignatureList(scan::encodeSignatureList({std::string("a\0b", 3)})).lines.size(), 0u);

  const std::vector<std::string> plain{"system32\\fake.dll", "\xC4rger \xE9t\xE9\t1"};
  const std::string bytes = scan::encodeSignatureList(plain);
  EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
  const auto list = scan::parseSignatureList(bytes);
  ASSERT_EQ(list.lines.size(), 2u);
  EXPECT_EQ(list.passedOver, 0u);
  EXPECT_EQ(scan::UnscrambleText(list.lines[0]), plain[0]);
  EXPECT_EQ(scan::UnscrambleText(list.lines[1]), plain[1]);
}

}  // namespace
