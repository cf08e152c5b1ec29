// What the in-memory tree does beyond the shared file contract: drives, listing order, links
// that loop, a disk that fills up, and the helpers tests build trees with.
#include "platform/fake/fake_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using platform::FindData;
using platform::fake::FakeFiles;

std::vector<std::string> names(FakeFiles& fs, const std::string& pattern) {
  std::vector<std::string> out;
  FindData d;
  auto find = fs.findFirst(pattern, d);
  if (!find) return out;
  do out.push_back(d.name);
  while (find->next(d));
  return out;
}

using Strings = std::vector<std::string>;

TEST(FakeFiles, DriveRootsHaveNoDotEntriesAndOtherDrivesAppearOnDemand) {
  FakeFiles fs;
  fs.addFile("C:\\boot.ini");
  EXPECT_EQ(names(fs, "C:\\*.*"), (Strings{"boot.ini"}));
  EXPECT_FALSE(fs.attributes("D:\\"));
  ASSERT_TRUE(fs.addFile("d:\\data\\x.txt", "x"));
  EXPECT_TRUE(fs.directoryExists("D:\\"));
  EXPECT_EQ(names(fs, "D:\\data\\*"), (Strings{".", "..", "x.txt"}));
  EXPECT_FALSE(fs.createDirectory("E:\\new"));
}

TEST(FakeFiles, ListingFollowsUpperCaseOrderOrItsReverse) {
  FakeFiles fs;
  for (const char* name : {"b.txt", "_a", "A.txt", "c"}) fs.addFile(std::string("C:\\d\\") + name);
  EXPECT_EQ(names(fs, "C:\\d\\*.*"), (Strings{".", "..", "A.txt", "b.txt", "c", "_a"}));
  fs.setListingOrder(FakeFiles::ListingOrder::Reverse);
  EXPECT_EQ(names(fs, "C:\\d\\*.*"), (Strings{".", "..", "_a", "c", "b.txt", "A.txt"}));
}

TEST(FakeFiles, FindMasksFollowTheFindFirstRules) {
  FakeFiles fs;
  for (const char* name : {"readme", "a.txt", "ab.txt"}) fs.addFile(std::string("C:\\d\\") + name);
  EXPECT_EQ(names(fs, "C:\\d\\readme.*"), (Strings{"readme"}));
  EXPECT_EQ(names(fs, "C:\\d\\?.TXT"), (Strings{"a.txt"}));
  EXPECT_EQ(names(fs, "C:\\d\\*b*"), (Strings{"ab.txt"}));
  EXPECT_TRUE(names(fs, "C:\\d\\").empty());
  EXPECT_TRUE(names(fs, "C:\\d*\\*.*").empty());
}

TEST(FakeFiles, LinksResolveThroughTheirTargetAndLoopsEnd) {
  FakeFiles fs;
  fs.addFile("C:\\a\\f.txt", "f");
  ASSERT_TRUE(fs.addLink("C:\\a\\up", "C:\\a"));
  EXPECT_EQ(fs.readFile("C:\\a\\up\\up\\up\\f.txt", 10), "f");
  ASSERT_TRUE(fs.addLink("C:\\a\\self", "C:\\a\\self"));
  FindData d;
  EXPECT_FALSE(fs.findFirst("C:\\a\\self\\*.*", d));
  EXPECT_FALSE(fs.attributes("C:\\a\\self\\f.txt"));
  EXPECT_EQ(*fs.attributes("C:\\a\\self"), platform::kAttrDirectory | platform::kAttrReparsePoint);
  ASSERT_TRUE(fs.addLink("C:\\a\\j", "C:\\b", platform::fake::kTagMountPoint));
  EXPECT_EQ(fs.record("C:\\a\\j")->reserved0, platform::fake::kTagMountPoint);
  EXPECT_FALSE(fs.findFirst("C:\\a\\j\\*.*", d)) << "target not made yet";
  fs.addFile("C:\\b\\late.txt");
  EXPECT_EQ(names(fs, "C:\\a\\j\\*.*"), (Strings{".", "..", "late.txt"}));
  EXPECT_FALSE(fs.addLink("C:\\a\\j", "C:\\b")) << "already there";
  ASSERT_TRUE(fs.remove("C:\\a\\j"));
  EXPECT_TRUE(fs.fileExists("C:\\b\\late.txt"));
}

TEST(FakeFiles, FullDiskCutsWritesShort) {
  FakeFiles fs;
  fs.setWriteBudget(5);
  auto out = fs.createFile("C:\\big.bin");
  ASSERT_TRUE(out);
  EXPECT_FALSE(out->write("abcdefgh", 8));
  EXPECT_FALSE(out->close());
  EXPECT_EQ(fs.readFile("C:\\big.bin", 100), "abcde");
  EXPECT_FALSE(fs.writeFile("C:\\more.bin", "x"));
  EXPECT_FALSE(fs.copyFile("C:\\big.bin", "C:\\copy.bin", false));
  fs.setWriteBudget(std::nullopt);
  EXPECT_TRUE(fs.copyFile("C:\\big.bin", "C:\\copy.bin", false));
}

TEST(FakeFiles, PathsNormaliseAsWindowsReadsThem) {
  FakeFiles fs;
  fs.currentDirectory = "C:\\work";
  ASSERT_TRUE(fs.addFile("C:\\work\\x.txt", "x"));
  EXPECT_EQ(fs.readFile("x.txt", 10), "x");
  EXPECT_EQ(fs.readFile("C:x.txt", 10), "x");
  EXPECT_EQ(fs.readFile("\\work\\x.txt", 10), "x");
  EXPECT_EQ(fs.readFile("C:\\\\work//x.txt. ", 10), "x");
  EXPECT_EQ(fs.readFile("C:\\..\\..\\work\\x.txt", 10), "x");
  EXPECT_EQ(fs.fullPath("..\\y"), "C:\\y");
  EXPECT_FALSE(fs.attributes("C:\\work\\x<.txt"));
  EXPECT_FALSE(fs.attributes("\\\\server\\share\\x.txt"));
  EXPECT_FALSE(fs.attributes(""));
  // The current directory's drive letter in small letters names the same drive.
  fs.currentDirectory = "c:\\work";
  EXPECT_EQ(fs.readFile("x.txt", 10), "x");
  ASSERT_TRUE(fs.addFile("y.txt", "y"));
  EXPECT_EQ(fs.readFile("C:\\work\\y.txt", 10), "y");
}

TEST(FakeFiles, BuildersRefuseWhatWindowsCouldNotHold) {
  FakeFiles fs;
  ASSERT_TRUE(fs.addFile("C:\\f.txt", "", platform::kAttrHidden, 99));
  EXPECT_FALSE(fs.addDir("C:\\f.txt"));
  EXPECT_FALSE(fs.addFile("C:\\f.txt\\inner.txt"));
  ASSERT_TRUE(fs.addDir("C:\\d"));
  EXPECT_FALSE(fs.addFile("C:\\d"));
  EXPECT_EQ(fs.record("c:\\F.TXT")->name, "f.txt");
  EXPECT_EQ(fs.record("C:\\f.txt")->lastWriteTime, 99u);
  EXPECT_FALSE(fs.copyFile("C:\\f.txt", "c:\\F.txt", false)) << "a file onto itself";
  ASSERT_TRUE(fs.makeUnreadable("C:\\f.txt"));
  EXPECT_FALSE(fs.readFile("C:\\f.txt", 10));
  EXPECT_TRUE(fs.remove("C:\\d"));
  EXPECT_FALSE(fs.remove("C:\\"));
}

}  // namespace
