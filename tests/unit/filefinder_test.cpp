#include "cleanup/filefinder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cleanup/wildmask.h"
#include "platform/fake/fake_files.h"

namespace {

using cleanup::TFileFinder;
using platform::fake::FakeFiles;

class FileFinder : public ::testing::Test {
 protected:
  FakeFiles fs;
  int pumps = 0;
  std::function<void()> onPump;
  TFileFinder finder{fs, [this] {
                       ++pumps;
                       if (onPump) onPump();
                     }};
  std::vector<std::string> found;    // folder + name, in the order reported
  std::vector<std::string> checked;  // folders given to OnFolderCheck

  void SetUp() override {
    finder.OnFileFound = [this](TFileFinder&, const std::string& name, const std::string& folder,
                                const platform::FindData&) { found.push_back(folder + name); };
  }
  void recordChecks() {
    finder.OnFolderCheck = [this](TFileFinder&, const std::string& folder, bool&) { checked.push_back(folder); };
  }
  void walk(const std::string& root, bool subfolders, std::vector<std::string> masks = {"*.*"}) {
    finder.Paths.Add(root, subfolders);
    finder.Masks = std::move(masks);
    finder.Execute();
  }
  // R holds r.txt and the folders b and a; a holds x; each folder holds one file.
  void makeSampleTree() {
    fs.addFile("C:\\R\\r.txt");
    fs.addFile("C:\\R\\b\\b.txt");
    fs.addFile("C:\\R\\a\\a.txt");
    fs.addFile("C:\\R\\a\\x\\x.txt");
  }
};

using Strings = std::vector<std::string>;

TEST_F(FileFinder, MasksDecideWhatIsReported) {
  fs.addFile("C:\\R\\readme");
  fs.addFile("C:\\R\\a.b.c");
  fs.addFile("C:\\R\\notes.TMP");
  walk("C:\\R", false, {});
  EXPECT_TRUE(found.empty()) << "no masks, nothing reported";
  finder.ExcludeMasks = {"*.tmp"};
  finder.Masks = {"*.*"};
  finder.Execute();
  EXPECT_EQ(found, (Strings{"C:\\R\\a.b.c"}));
  found.clear();
  finder.ExcludeMasks.clear();
  finder.Masks = {"*"};
  finder.Execute();
  EXPECT_EQ(found.size(), 3u);
  found.clear();
  finder.Masks = {"README"};
  finder.Execute();
  EXPECT_EQ(found, (Strings{"C:\\R\\readme"}));
}

TEST_F(FileFinder, DotEntriesNeverReportedAndFoldersOnlyWhenAsked) {
  fs.addFile("C:\\R\\f.txt");
  fs.addDir("C:\\R\\sub.dir");
  walk("C:\\R", false, {"*"});
  EXPECT_EQ(found, (Strings{"C:\\R\\f.txt"}));
  found.clear();
  finder.IncludeFolders = true;
  finder.Execute();
  EXPECT_EQ(found, (Strings{"C:\\R\\f.txt", "C:\\R\\sub.dir"}));
}

TEST_F(FileFinder, RootsAreMadeAbsoluteAndEndWithSeparator) {
  fs.addFile("C:\\Work\\Temp\\t.txt");
  fs.currentDirectory = "C:\\Work";
  std::vector<std::string> folders;
  finder.OnFileFound = [&](TFileFinder&, const std::string&, const std::string& folder, const platform::FindData&) {
    folders.push_back(folder);
  };
  walk("Temp", false);
  finder.Paths.Clear();
  walk("C:/Work/Temp/", false);
  EXPECT_EQ(folders, (Strings{"C:\\Work\\Temp\\", "C:\\Work\\Temp\\"}));
}

TEST_F(FileFinder, EmptyRootIsSkippedNotTakenForTheDriveRoot) {
  fs.addFile("C:\\boot.ini");
  fs.currentDirectory = "C:\\";
  finder.Paths.Add("", true);
  finder.Paths.Add("C:\\R", false);
  fs.addFile("C:\\R\\r.txt");
  finder.Masks = {"*.*"};
  finder.Execute();
  EXPECT_EQ(found, (Strings{"C:\\R\\r.txt"}));
}

TEST_F(FileFinder, RootWithFlagClearStaysInItsOwnFolder) {
  makeSampleTree();
  walk("C:\\R", false);
  EXPECT_EQ(found, (Strings{"C:\\R\\r.txt"}));
}

TEST_F(FileFinder, WalkIsDepthFirstInPathOrderWhateverTheListingOrder) {
  makeSampleTree();
  const Strings expected = {"C:\\R\\r.txt", "C:\\R\\a\\a.txt", "C:\\R\\a\\x\\x.txt", "C:\\R\\b\\b.txt"};
  walk("C:\\R", true);
  EXPECT_EQ(found, expected);
  found.clear();
  fs.setListingOrder(FakeFiles::ListingOrder::Reverse);
  finder.Execute();
  EXPECT_EQ(found, expected);
}

TEST_F(FileFinder, SubtreeIsFinishedBeforeSiblingsThatShareItsStart) {
  for (const char* dir : {"ab", "a1", "a b", "A", "a\\x"}) fs.addDir(std::string("C:\\R\\") + dir);
  recordChecks();
  walk("C:\\R", true);
  EXPECT_EQ(checked, (Strings{"C:\\R\\", "C:\\R\\A\\", "C:\\R\\A\\x\\", "C:\\R\\a b\\", "C:\\R\\a1\\", "C:\\R\\ab\\"}));
}

TEST_F(FileFinder, EveryFolderIsListedOnce) {
  makeSampleTree();
  walk("C:\\R", true);
  EXPECT_EQ(fs.listingsOpened(), 4);
  EXPECT_EQ(fs.openFindHandles(), 0);
}

TEST_F(FileFinder, ExclusionOfASubtreeOrOfOneFolder) {
  makeSampleTree();
  recordChecks();
  finder.ExcludePaths.Add("c:\\r\\A");
  walk("C:\\R", true);
  EXPECT_EQ(found, (Strings{"C:\\R\\r.txt", "C:\\R\\b\\b.txt"}));
  EXPECT_EQ(checked, (Strings{"C:\\R\\", "C:\\R\\a\\", "C:\\R\\a\\x\\", "C:\\R\\b\\"})) << "still walked";
  found.clear();
  finder.ExcludePaths.Clear();
  finder.ExcludePaths.Add("C:\\R\\a\\", true);
  finder.Execute();
  EXPECT_EQ(found, (Strings{"C:\\R\\r.txt", "C:\\R\\a\\x\\x.txt", "C:\\R\\b\\b.txt"}));
}

TEST_F(FileFinder, ExcludedRootIsStillWalkedBelow) {
  makeSampleTree();
  finder.ExcludePaths.Add("C:\\R", true);
  walk("C:\\R", true);
  EXPECT_EQ(found, (Strings{"C:\\R\\a\\a.txt", "C:\\R\\a\\x\\x.txt", "C:\\R\\b\\b.txt"}));
}

TEST_F(FileFinder, FolderCheckCanChangeTheVerdict) {
  makeSampleTree();
  finder.ExcludePaths.Add("C:\\R\\b");
  finder.OnFolderCheck = [](TFileFinder&, const std::string& folder, bool& excluded) {
    if (folder == "C:\\R\\a\\") excluded = true;
    if (folder == "C:\\R\\b\\") excluded = false;
  };
  walk("C:\\R", true);
  EXPECT_EQ(found, (Strings{"C:\\R\\r.txt", "C:\\R\\a\\x\\x.txt", "C:\\R\\b\\b.txt"}));
}

TEST_F(FileFinder, WithoutFileEventOnlySubfoldersAreChecked) {
  makeSampleTree();
  finder.OnFileFound = nullptr;
  recordChecks();
  walk("C:\\R", true);
  EXPECT_EQ(checked, (Strings{"C:\\R\\a\\", "C:\\R\\a\\x\\", "C:\\R\\b\\"}));
}

TEST_F(FileFinder, StopInsideTheEventEndsTheRunAtOnce) {
  makeSampleTree();
  fs.addFile("C:\\R\\s.txt");
  fs.addFile("C:\\Other\\o.txt");
  finder.OnFileFound = [this](TFileFinder& sender, const std::string& name, const std::string&, const platform::FindData&) {
    found.push_back(name);
    sender.Stopped = true;
  };
  finder.Paths.Add("C:\\R", true);
  finder.Paths.Add("C:\\Other", true);
  finder.Masks = {"*.*"};
  finder.Execute();
  EXPECT_EQ(found, (Strings{"r.txt"}));
  EXPECT_TRUE(finder.Stopped);
  EXPECT_EQ(fs.openFindHandles(), 0);
  // The next run starts afresh.
  found.clear();
  finder.Execute();
  EXPECT_EQ(found, (Strings{"r.txt"}));
}

TEST_F(FileFinder, StopFromAMessageHandlerEndsTheRun) {
  makeSampleTree();
  onPump = [this] {
    if (found.size() == 2) finder.Stopped = true;
  };
  walk("C:\\R", true);
  EXPECT_EQ(found, (Strings{"C:\\R\\r.txt", "C:\\R\\a\\a.txt"}));
  EXPECT_TRUE(finder.Stopped);
}

TEST_F(FileFinder, MessagesArePumpedForEveryEntryAndEveryPendingFolder) {
  fs.addFile("C:\\R\\f1.txt");
  fs.addFile("C:\\R\\f2.txt");
  fs.addDir("C:\\R\\a");
  walk("C:\\R", true);
  // R: ".", "..", a, f1, f2; then one pump to take a; a: ".", ".."; one pump to find none left.
  EXPECT_EQ(pumps, 9);
}

TEST_F(FileFinder, MalformedMaskEndsTheRunWithItsError) {
  fs.addFile("C:\\R\\f.txt");
  fs.addFile("C:\\R\\a\\g.txt");
  finder.Masks = {"*.txt", "[oops"};
  walk("C:\\R", true, {"*.txt", "[oops"});
  EXPECT_EQ(found.size(), 2u) << "every name matched the first mask, the second was never used";
  finder.Masks = {"[oops"};
  try {
    finder.Execute();
    ADD_FAILURE() << "no error";
  } catch (const cleanup::MaskError& e) {
    EXPECT_STREQ(e.what(), "'[oops' is an invalid mask at (6)");
  }
  EXPECT_TRUE(finder.Stopped);
  EXPECT_EQ(fs.openFindHandles(), 0);
}

TEST_F(FileFinder, UnreadableAndMissingFoldersAreSkipped) {
  makeSampleTree();
  fs.makeUnreadable("C:\\R\\a");
  finder.Paths.Add("C:\\Missing", true);
  finder.Paths.Add("C:\\R\\r.txt", true);  // a file is no folder
  walk("C:\\R", true);
  EXPECT_EQ(found, (Strings{"C:\\R\\r.txt", "C:\\R\\b\\b.txt"}));
}

TEST_F(FileFinder, FoldersPastThePathLimitAreSkipped) {
  std::string deep = "C:\\R\\" + std::string(240, 'd');
  fs.addFile("C:\\R\\r.txt");
  ASSERT_TRUE(fs.addDir(deep));
  ASSERT_TRUE(fs.addFile(deep + "\\x.txt"));
  ASSERT_TRUE(fs.addDir(deep + "\\" + std::string(12, 'e')));
  fs.addFile(deep + "\\" + std::string(12, 'e') + "\\y.txt");
  walk("C:\\R", true);
  EXPECT_EQ(found, (Strings{"C:\\R\\r.txt", deep + "\\x.txt"}));
}

TEST_F(FileFinder, LinksAreReportedButNeverEntered) {
  using namespace platform::fake;
  fs.addFile("C:\\R\\r.txt");
  fs.addFile("C:\\Outside\\keep.txt");
  fs.addLink("C:\\R\\loop", "C:\\R");
  fs.addLink("C:\\R\\junction", "C:\\Outside", kTagMountPoint);
  fs.addLink("C:\\R\\sub\\symlink", "C:\\Outside", kTagSymlink);
  fs.addLink("C:\\R\\sub\\dangling", "C:\\Gone");
  walk("C:\\R", true);
  EXPECT_EQ(found, (Strings{"C:\\R\\r.txt"}));
  found.clear();
  finder.IncludeFolders = true;
  finder.Masks = {"*"};
  finder.Execute();
  EXPECT_EQ(found, (Strings{"C:\\R\\junction", "C:\\R\\loop", "C:\\R\\r.txt", "C:\\R\\sub", "C:\\R\\sub\\dangling",
                            "C:\\R\\sub\\symlink"}));
}

TEST_F(FileFinder, ReportedRecordIsTheListedEntry) {
  fs.addFile("C:\\R\\Data.BIN", std::string(3000, 'x'), platform::kAttrHidden | platform::kAttrSystem, 1234);
  platform::FindData seen;
  finder.OnFileFound = [&](TFileFinder&, const std::string& name, const std::string&, const platform::FindData& d) {
    EXPECT_EQ(name, "Data.BIN");
    seen = d;
  };
  walk("c:\\r", false, {"data.bin"});
  EXPECT_EQ(seen.size, 3000u);
  EXPECT_EQ(seen.attributes, platform::kAttrHidden | platform::kAttrSystem);
  EXPECT_EQ(seen.lastWriteTime, 1234u);
}

TEST(FFPathList, FlagsComeFromEachAddingOperationAndSurviveCopies) {
  cleanup::TFFPathList list;
  int marker = 0;
  EXPECT_EQ(list.Add("C:\\a"), 0);
  EXPECT_EQ(list.Add("C:\\b", true), 1);
  EXPECT_EQ(list.AddObject("C:\\c", &marker), 2);
  EXPECT_EQ(list.AddObject("C:\\d", nullptr), 3);
  cleanup::TFFPathList copy;
  copy.Add("C:\\old");
  copy = list;
  ASSERT_EQ(copy.Count(), 4);
  EXPECT_EQ(copy[0].path, "C:\\a");
  EXPECT_FALSE(copy[0].flag);
  EXPECT_TRUE(copy[1].flag);
  EXPECT_TRUE(copy[2].flag);
  EXPECT_FALSE(copy[3].flag);
}

}  // namespace
