// Deleting and quarantining found files, and the scan log: what the labels and the counter say
// for each file, copies that never meet in Quarantined, files that resist, and runs that must
// not overlap.
#include "scan/fileremoval.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/fake/fake_files.h"
#include "scan/scanlog.h"

namespace {

using Events = std::vector<std::string>;
using Result = scan::FileRemoval::Result;

const char* const kProgramDir = "C:\\Program Files\\Orvanta\\";
const char* const kQuarantine = "C:\\Program Files\\Orvanta\\Quarantined\\";

struct Recorder : scan::RemovalView {
  Events events;
  std::function<void()> onMessages;
  void showItem(const std::string& text) override { events.push_back(text); }
  void showFilesDetected(int32_t n) override { events.push_back("Label8=" + std::to_string(n)); }
  void pause(uint32_t ms) override { events.push_back("pause " + std::to_string(ms)); }
  void processMessages() override {
    if (onMessages) onMessages();
  }
  void cannotWrite(const std::string& folder) override { events.push_back("cannot write " + folder); }
};

class FileRemovalTest : public ::testing::Test {
 protected:
  platform::fake::FakeFiles files;
  Recorder view;
  scan::FileRemoval removal{files, view, "C:\\WINDOWS"};

  std::string content(const std::string& path) {
    return files.readFile(path, 1 << 20).value_or("(none)");
  }
};

TEST_F(FileRemovalTest, DeleteLowersTheCountOnlyForFilesThatAreGone) {
  files.addFile("C:\\WINDOWS\\a.exe", "a");
  files.addFile("C:\\WINDOWS\\stuck.exe", "s", platform::kAttrReadOnly);
  const Events paths{"C:\\WINDOWS\\a.exe", "C:\\WINDOWS\\stuck.exe", "C:\\WINDOWS\\gone.exe"};
  EXPECT_EQ(removal.deleteFiles(paths, 3), Result::Done);
  EXPECT_EQ(view.events, (Events{"Deleting C:\\WINDOWS\\a.exe", "Label8=2", "pause 10",
                                 "Could not delete C:\\WINDOWS\\stuck.exe", "pause 10",
                                 "Deleting C:\\WINDOWS\\gone.exe", "Label8=1", "pause 10",
                                 "File removal complete."}));
  EXPECT_FALSE(files.fileExists("C:\\WINDOWS\\a.exe"));
  EXPECT_TRUE(files.fileExists("C:\\WINDOWS\\stuck.exe"));
  EXPECT_FALSE(removal.running());
}

TEST_F(FileRemovalTest, QuarantineGivesEveryCopyItsOwnNameAndReplacesNothing) {
  files.addFile("C:\\WINDOWS\\evil.exe", "first");
  files.addFile("C:\\WINDOWS\\system32\\evil.exe", "second");
  files.addFile("C:\\WINDOWS\\system\\EVIL.EXE", "third");
  files.addFile("C:\\WINDOWS\\inf\\evil.exe", "fourth");
  files.addFile(kQuarantine + std::string("evil.exe.2.qua"), "from an earlier scan");
  const Events paths{"C:\\WINDOWS\\evil.exe", "C:\\WINDOWS\\system32\\evil.exe",
                     "C:\\WINDOWS\\system\\EVIL.EXE", "C:\\WINDOWS\\inf/evil.exe"};
  EXPECT_EQ(removal.quarantine(paths, 4, kProgramDir), Result::Done);

  EXPECT_EQ(content(kQuarantine + std::string("evil.exe.qua")), "first");
  EXPECT_EQ(content(kQuarantine + std::string("evil.exe.2.qua")), "from an earlier scan");
  EXPECT_EQ(content(kQuarantine + std::string("evil.exe.3.qua")), "second");
  EXPECT_EQ(content(kQuarantine + std::string("EVIL.EXE.4.qua")), "third");
  EXPECT_EQ(content(kQuarantine + std::string("evil.exe.5.qua")), "fourth");
  for (const auto& path : paths) EXPECT_FALSE(files.fileExists(path)) << path;
  EXPECT_EQ(view.events, (Events{"Moving C:\\WINDOWS\\evil.exe", "Label8=3", "pause 10",
                                 "Moving C:\\WINDOWS\\system32\\evil.exe", "Label8=2", "pause 10",
                                 "Moving C:\\WINDOWS\\system\\EVIL.EXE", "Label8=1", "pause 10",
                                 "Moving C:\\WINDOWS\\inf/evil.exe", "Label8=0", "pause 10",
                                 "Quarantine complete."}));
}

TEST_F(FileRemovalTest, QuarantineCreatesItsFolderAndPassesOverVanishedFiles) {
  files.addFile("C:\\WINDOWS\\here.exe", "x");
  EXPECT_FALSE(files.directoryExists("C:\\Program Files"));
  EXPECT_EQ(removal.quarantine({"C:\\WINDOWS\\gone.exe", "C:\\WINDOWS\\here.exe"}, 2, kProgramDir),
            Result::Done);
  EXPECT_EQ(content(kQuarantine + std::string("here.exe.qua")), "x");
  // The vanished file is no longer there: it leaves the count, with nothing to say.
  EXPECT_EQ(view.events, (Events{"Label8=1", "pause 10", "Moving C:\\WINDOWS\\here.exe", "Label8=0",
                                 "pause 10", "Quarantine complete."}));
}

TEST_F(FileRemovalTest, AFileThatCannotBeMovedWholeStaysAndLeavesNoCopy) {
  files.addFile("C:\\WINDOWS\\readonly.exe", "r", platform::kAttrReadOnly);
  files.addFile("C:\\WINDOWS\\locked.exe", "l");
  files.makeUnreadable("C:\\WINDOWS\\locked.exe");
  const Events paths{"C:\\WINDOWS\\readonly.exe", "C:\\WINDOWS\\locked.exe"};
  EXPECT_EQ(removal.quarantine(paths, 2, kProgramDir), Result::Done);
  EXPECT_EQ(view.events, (Events{"Could not quarantine C:\\WINDOWS\\readonly.exe", "pause 10",
                                 "Could not quarantine C:\\WINDOWS\\locked.exe", "pause 10",
                                 "Quarantine complete."}));
  EXPECT_TRUE(files.fileExists("C:\\WINDOWS\\readonly.exe"));
  EXPECT_FALSE(files.fileExists(kQuarantine + std::string("readonly.exe.qua")));
  EXPECT_FALSE(files.fileExists(kQuarantine + std::string("locked.exe.qua")));
}

// Under Wine a link to a file lists as a plain file, and deleting it by name deletes its target:
// a listed name in the Windows directory may be a link to the user's own file.
TEST_F(FileRemovalTest, ALinkToAFileElsewhereStaysWithItsTargetWhetherDeletedOrQuarantined) {
  files.addFile("C:\\users\\me\\thesis.doc", "mine");
  files.addFileLink("C:\\WINDOWS\\evil.dll", "C:\\users\\me\\thesis.doc");
  files.addFile("C:\\WINDOWS\\real.exe", "r");
  removal.deleteFiles({"C:\\WINDOWS\\evil.dll", "C:\\WINDOWS\\real.exe"}, 2);
  EXPECT_EQ(view.events, (Events{"Could not delete C:\\WINDOWS\\evil.dll", "pause 10",
                                 "Deleting C:\\WINDOWS\\real.exe", "Label8=1", "pause 10",
                                 "File removal complete."}));
  view.events.clear();
  removal.quarantine({"C:\\WINDOWS\\evil.dll"}, 1, kProgramDir);
  EXPECT_EQ(view.events.front(), "Could not quarantine C:\\WINDOWS\\evil.dll");
  EXPECT_EQ(content("C:\\users\\me\\thesis.doc"), "mine");
  EXPECT_TRUE(files.fileExists("C:\\WINDOWS\\evil.dll"));
  EXPECT_FALSE(files.fileExists(kQuarantine + std::string("evil.dll.qua")));
}

// The file a list names is the file that goes: a link to another file of the Windows directory
// (a system library, say) is no licence to delete that one.
TEST_F(FileRemovalTest, ALinkToAnotherFileOfTheWindowsDirectoryTakesNeitherWithIt) {
  files.addFile("C:\\WINDOWS\\system32\\victim.dll", "needed");
  files.addFileLink("C:\\WINDOWS\\evil.exe", "C:\\WINDOWS\\system32\\victim.dll");
  files.addFile("C:\\WINDOWS\\Evil2.EXE", "e");
  removal.deleteFiles({"C:\\WINDOWS\\evil.exe", "c:\\windows\\EVIL2.exe"}, 2);
  EXPECT_EQ(view.events, (Events{"Could not delete C:\\WINDOWS\\evil.exe", "pause 10",
                                 "Deleting c:\\windows\\EVIL2.exe", "Label8=1", "pause 10",
                                 "File removal complete."}));
  view.events.clear();
  removal.quarantine({"C:\\WINDOWS\\evil.exe"}, 1, kProgramDir);
  EXPECT_EQ(view.events.front(), "Could not quarantine C:\\WINDOWS\\evil.exe");
  EXPECT_EQ(content("C:\\WINDOWS\\system32\\victim.dll"), "needed");
  EXPECT_TRUE(files.fileExists("C:\\WINDOWS\\evil.exe"));
}

// Copies that come out short, as when the disk fills during the copy but the call says it
// succeeded.
class ShortCopies : public platform::Files {
 public:
  explicit ShortCopies(platform::fake::FakeFiles& files) : f_(files) {}
  std::unique_ptr<platform::FindHandle> findFirst(const std::string& p,
                                                  platform::FindData& d) override {
    return f_.findFirst(p, d);
  }
  std::optional<uint32_t> attributes(const std::string& p) override { return f_.attributes(p); }
  std::optional<std::string> readFile(const std::string& p, uint64_t l) override {
    return f_.readFile(p, l);
  }
  bool writeFile(const std::string& p, const std::string& c) override { return f_.writeFile(p, c); }
  std::unique_ptr<platform::OutputFile> createFile(const std::string& p) override {
    return f_.createFile(p);
  }
  bool deleteFile(const std::string& p) override { return f_.deleteFile(p); }
  bool copyFile(const std::string& from, const std::string& to, bool failIfExists) override {
    auto c = f_.readFile(from, 1 << 20);
    if (!c || (failIfExists && f_.attributes(to))) return false;
    return f_.writeFile(to, c->substr(0, c->size() / 2));
  }
  bool createDirectory(const std::string& p) override { return f_.createDirectory(p); }
  bool setAttributes(const std::string& p, uint32_t a) override { return f_.setAttributes(p, a); }
  bool moveFile(const std::string& from, const std::string& to) override { return f_.moveFile(from, to); }
  std::string finalPath(const std::string& p) override { return f_.finalPath(p); }
  std::unique_ptr<platform::FileForDeletion> openForDeletion(const std::string& p) override {
    return f_.openForDeletion(p);
  }

 private:
  platform::fake::FakeFiles& f_;
};

TEST_F(FileRemovalTest, AQuarantineFolderThatTakesNoFilesIsToldOnceAndEveryFileStays) {
  files.addFile("C:\\WINDOWS\\a.exe", "a");
  files.addFile("C:\\WINDOWS\\b.exe", "b");
  files.addFile("C:\\Program Files\\Orvanta\\Quarantined", "not a folder");
  const Events paths{"C:\\WINDOWS\\a.exe", "C:\\WINDOWS\\b.exe"};
  EXPECT_EQ(removal.quarantine(paths, 2, kProgramDir), Result::Done);
  EXPECT_EQ(view.events, (Events{"cannot write C:\\Program Files\\Orvanta\\Quarantined",
                                 "Could not quarantine C:\\WINDOWS\\a.exe", "pause 10",
                                 "Could not quarantine C:\\WINDOWS\\b.exe", "pause 10",
                                 "Quarantine complete."}));
  EXPECT_EQ(content("C:\\WINDOWS\\a.exe"), "a");
  EXPECT_EQ(content("C:\\WINDOWS\\b.exe"), "b");
  // Once the folder can be made, the files go and nothing more is said; the probe is gone.
  view.events.clear();
  files.deleteFile("C:\\Program Files\\Orvanta\\Quarantined");
  EXPECT_EQ(removal.quarantine({"C:\\WINDOWS\\b.exe"}, 1, kProgramDir), Result::Done);
  EXPECT_EQ(view.events.front(), "Moving C:\\WINDOWS\\b.exe");
  EXPECT_FALSE(files.attributes(kQuarantine + std::string("~qexsys.tmp")));
}

TEST_F(FileRemovalTest, ACopyOfAnotherSizeCountsAsFailedAndTheOriginalStays) {
  files.addFile("C:\\WINDOWS\\evil.exe", "0123456789");
  ShortCopies shortCopies(files);
  scan::FileRemoval removalWithShortCopies(shortCopies, view, "C:\\WINDOWS");
  removalWithShortCopies.quarantine({"C:\\WINDOWS\\evil.exe"}, 1, kProgramDir);
  EXPECT_EQ(view.events.front(), "Could not quarantine C:\\WINDOWS\\evil.exe");
  EXPECT_EQ(content("C:\\WINDOWS\\evil.exe"), "0123456789");
  EXPECT_FALSE(files.fileExists(kQuarantine + std::string("evil.exe.qua")));
}

TEST_F(FileRemovalTest, ASecondRunWhileOneGoesOnIsRefusedAndAStopEndsIt) {
  for (const char* name : {"a", "b", "c"}) files.addFile(std::string("C:\\WINDOWS\\") + name, name);
  const Events paths{"C:\\WINDOWS\\a", "C:\\WINDOWS\\b", "C:\\WINDOWS\\c"};
  std::vector<Result> nested;
  view.onMessages = [&] {
    EXPECT_TRUE(removal.running());
    nested.push_back(removal.deleteFiles(paths, 3));
    nested.push_back(removal.quarantine(paths, 3, kProgramDir));
    removal.requestStop();  // the window closes
  };
  EXPECT_EQ(removal.deleteFiles(paths, 3), Result::Stopped);
  EXPECT_EQ(nested, (std::vector<Result>{Result::AlreadyRunning, Result::AlreadyRunning}));
  EXPECT_FALSE(files.fileExists("C:\\WINDOWS\\a"));
  EXPECT_TRUE(files.fileExists("C:\\WINDOWS\\b"));
  EXPECT_EQ(view.events.back(), "pause 10");  // no completion text
  EXPECT_FALSE(removal.running());

  // The next run starts afresh.
  view.onMessages = nullptr;
  EXPECT_EQ(removal.deleteFiles({"C:\\WINDOWS\\b"}, 2), Result::Done);
  EXPECT_FALSE(files.fileExists("C:\\WINDOWS\\b"));
}

TEST(ScanLog, OnePathALineEachEndedByCarriageReturnAndLineFeed) {
  EXPECT_EQ(scan::scanLogText({"C:\\WINDOWS\\a.exe", "C:\\WINDOWS\\system32\\b.dll"}),
            "C:\\WINDOWS\\a.exe\r\nC:\\WINDOWS\\system32\\b.dll\r\n");
  EXPECT_EQ(scan::scanLogText({}), "");

  platform::fake::FakeFiles files;
  files.addFile("C:\\Logs\\scan.txt", "older text that is longer");
  EXPECT_TRUE(scan::saveScanLog(files, "C:\\Logs\\scan.txt", {"C:\\WINDOWS\\a.exe"}));
  EXPECT_EQ(files.readFile("C:\\Logs\\scan.txt", 100), "C:\\WINDOWS\\a.exe\r\n");
  EXPECT_FALSE(scan::saveScanLog(files, "C:\\Missing\\scan.txt", {"x"}));
  EXPECT_EQ(scan::scanLogError("C:\\Missing\\scan.txt"),
            "The scan log could not be written to C:\\Missing\\scan.txt.");
}

}  // namespace
