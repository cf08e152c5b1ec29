// The folders the cleaner may empty and the one way it deletes: roots it must refuse, paths
// that only look as if they lay inside, and links that lead out of the folder.
#include <gtest/gtest.h>

#include "cleanup/cleanroot.h"
#include "platform/fake/fake_files.h"

namespace {

using cleanup::CleanRoot;

struct CleanRootTest : ::testing::Test {
  platform::fake::FakeFiles files;
  const std::vector<std::string> guarded{"C:\\Program Files\\Orvanta\\",
                                         "C:\\Documents and Settings\\ann"};
  const std::vector<std::string> closed{"C:\\WINDOWS"};
  const std::string temp = "C:\\Documents and Settings\\ann\\Local Settings\\Temp\\";

  CleanRootTest() {
    files.addDir("C:\\WINDOWS\\system32");
    files.addDir("C:\\Program Files\\Orvanta");
    files.addDir(temp + "sub");
    files.addFile("C:\\outside\\canary.txt", "keep");
  }
  CleanRoot root() {
    auto r = CleanRoot::open(files, temp, guarded, closed);
    EXPECT_TRUE(r.has_value());
    return *r;
  }
};

TEST_F(CleanRootTest, RootsThatWouldEmptyTooMuchAreRefused) {
  files.addDir("D:\\");
  files.addLink(temp + "windows", "C:\\WINDOWS");
  files.addLink(temp + "drive", "C:\\");
  files.addLink(temp + "profile", "C:\\Documents and Settings\\ann");
  for (const std::string& folder : {
           std::string(), std::string("\\"), std::string("C:\\"), std::string("C:"), std::string("D:\\"),
           std::string("C:\\WINDOWS"), std::string("c:\\windows\\"), std::string("C:\\WINDOWS\\system32\\.."),
           std::string("C:\\Program Files\\Orvanta"), std::string("C:\\Program Files"),
           std::string("C:\\Documents and Settings\\ann\\"), std::string("C:\\Documents and Settings"),
           temp + "windows", temp + "drive\\", temp + "profile", std::string("C:\\missing\\"),
           std::string("C:\\outside\\canary.txt"), std::string("\\\\server\\share\\")}) {
    EXPECT_FALSE(CleanRoot::open(files, folder, guarded, closed).has_value()) << folder;
  }
}

// An antivirus quarantine path is whatever the registry says: one set to a folder of the system
// would empty it. Older antivirus programs kept their quarantine below Program Files.
TEST_F(CleanRootTest, NothingInsideTheWindowsDirectoryIsEmptiedButProgramFilesMayBe) {
  files.addDir("C:\\WINDOWS\\Temp");
  files.addLink("C:\\Quarantine", "C:\\WINDOWS\\system32");
  for (const std::string& folder :
       {std::string("C:\\WINDOWS\\system32"), std::string("c:\\windows\\SYSTEM32\\"),
        std::string("C:\\WINDOWS\\Temp"), std::string("C:\\Quarantine")})
    EXPECT_FALSE(CleanRoot::open(files, folder, guarded, closed).has_value()) << folder;
  files.addDir("C:\\Program Files\\Antivirus\\Quarantine");
  EXPECT_TRUE(
      CleanRoot::open(files, "C:\\Program Files\\Antivirus\\Quarantine", guarded, closed));
  // A protected folder only keeps its own and what holds it.
  files.addDir("C:\\Documents and Settings\\ann\\Quarantine");
  EXPECT_TRUE(
      CleanRoot::open(files, "C:\\Documents and Settings\\ann\\Quarantine", guarded, closed));
}

TEST_F(CleanRootTest, AFolderInsideTheProfileIsTakenByItsFullPath) {
  auto r = CleanRoot::open(files, "C:\\Documents and Settings\\ann\\Local Settings\\.\\Temp", guarded,
                           closed);
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(r->path(), temp);
  // The system folders themselves do not stop a folder beside them.
  files.addDir("C:\\WINDOWS2");
  EXPECT_TRUE(CleanRoot::open(files, "C:\\WINDOWS2", guarded, closed).has_value());
  EXPECT_TRUE(CleanRoot::open(files, "C:\\outside", {"", "C:\\Nowhere"}, {""}).has_value());
}

TEST_F(CleanRootTest, OnlyPlainStepsBelowTheFolderAreHeld) {
  const CleanRoot r = root();
  EXPECT_TRUE(r.holds(temp + "a.txt"));
  EXPECT_TRUE(r.holds(temp + "sub\\deeper\\b.tmp"));
  EXPECT_TRUE(r.holds("c:\\documents and settings\\ANN\\local settings\\temp\\x.y"));
  EXPECT_TRUE(r.holds(temp + "...x"));
  for (const std::string& path :
       {temp, temp.substr(0, temp.size() - 1), temp + "..\\outside.txt", temp + "sub\\..\\..\\up.txt",
        temp + ".\\a.txt", temp + "sub\\. .\\a.txt", temp + "..", temp + "sub\\", temp + "a\\\\b.txt",
        temp + "a.txt:stream", temp + "a/../../b.txt", temp + "*.txt", temp + "a\tb",
        std::string("C:\\Documents and Settings\\ann\\Local Settings\\Temp2\\a.txt"), std::string("D:\\a.txt"),
        std::string("C:\\outside\\canary.txt")}) {
    EXPECT_FALSE(r.holds(path)) << path;
  }
}

TEST_F(CleanRootTest, DeletesOnlyWhatReallyLiesInside) {
  const CleanRoot r = root();
  files.addFile(temp + "plain.tmp", "x");
  files.addFile(temp + "sub\\inner.tmp", "x");
  files.addFile(temp + "target.tmp", "t");
  files.addFileLink(temp + "escape.tmp", "C:\\outside\\canary.txt");
  files.addFileLink(temp + "sub\\within.tmp", temp + "target.tmp");
  files.addLink(temp + "out", "C:\\outside");

  EXPECT_TRUE(r.deleteFile(files, temp + "plain.tmp"));
  EXPECT_TRUE(r.deleteFile(files, temp + "sub\\inner.tmp"));
  EXPECT_FALSE(files.attributes(temp + "plain.tmp"));
  EXPECT_FALSE(files.attributes(temp + "sub\\inner.tmp"));

  // A link to a file outside lists like a plain file; neither it nor its target goes.
  EXPECT_FALSE(files.record(temp + "escape.tmp")->isReparsePoint());
  EXPECT_FALSE(r.deleteFile(files, temp + "escape.tmp"));
  // Through a folder link, by a path the walk never gives.
  EXPECT_FALSE(r.deleteFile(files, temp + "out\\canary.txt"));
  // By a path that climbs out, or that lies elsewhere from the start.
  EXPECT_FALSE(r.deleteFile(files, temp + "..\\..\\..\\..\\outside\\canary.txt"));
  EXPECT_FALSE(r.deleteFile(files, "C:\\outside\\canary.txt"));
  EXPECT_EQ(files.readFile("C:\\outside\\canary.txt", 100), "keep");
  EXPECT_TRUE(files.fileExists(temp + "escape.tmp"));

  // A link to a file inside takes its target, which lies inside too.
  EXPECT_TRUE(r.deleteFile(files, temp + "sub\\within.tmp"));
  EXPECT_FALSE(files.attributes(temp + "target.tmp"));
}

TEST_F(CleanRootTest, FilesTheSystemKeepsStay) {
  const CleanRoot r = root();
  files.addFile(temp + "readonly.tmp", "r", platform::kAttrReadOnly);
  files.addFile(temp + "open.tmp", "o");
  auto holder = files.createFile(temp + "open.tmp");
  ASSERT_TRUE(holder);
  EXPECT_FALSE(r.deleteFile(files, temp + "readonly.tmp"));
  EXPECT_FALSE(r.deleteFile(files, temp + "open.tmp"));
  EXPECT_FALSE(r.deleteFile(files, temp + "gone.tmp"));
  EXPECT_FALSE(r.deleteFile(files, temp + "sub"));
  EXPECT_TRUE(files.fileExists(temp + "readonly.tmp"));
  EXPECT_TRUE(files.fileExists(temp + "open.tmp"));
  EXPECT_TRUE(files.directoryExists(temp + "sub"));
}

TEST_F(CleanRootTest, ARootReachedThroughALinkDeletesWhereItReallyLies) {
  files.addFile("C:\\elsewhere\\real\\a.tmp", "a");
  files.addLink("C:\\linked", "C:\\elsewhere\\real");
  auto r = CleanRoot::open(files, "C:\\linked", guarded, closed);
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(r->path(), "C:\\linked\\");
  EXPECT_TRUE(r->deleteFile(files, "C:\\linked\\a.tmp"));
  EXPECT_FALSE(files.attributes("C:\\elsewhere\\real\\a.tmp"));
}

}  // namespace
