// The cleaner window on the fakes: whole runs over a Temp tree and a quarantine folder, the
// three choices, what it shows while it reads and deletes, Cancel at each stage, the file
// limit, and the folders and links it must leave alone.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/qex_ulm_frm.h"
#include "cleanup/cleanerfigures.h"
#include "cleanup/deletefrm.h"
#include "tests/unit/app_fixture.h"

namespace {

using platform::RegRoot;
using testing_app::AppTest;

const std::string kTemp = "C:\\Documents and Settings\\Owner\\Local Settings\\Temp\\";
const std::string kQuarantine = "C:\\Program Files\\Norton AntiVirus\\Quarantine\\";

struct Cleaner : AppTest {
  Cleaner() {
    sys.fakeFiles.addFile("C:\\Program Files\\Orvanta\\qexsys.ini", "[System]\r\nNews=0\r\n");
    sys.fakeRegistry.create(RegRoot::CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders")
        ->writeString("Local Settings", "C:\\Documents and Settings\\Owner\\Local Settings");
    sys.fakeRegistry.create(RegRoot::LocalMachine, "SOFTWARE\\Symantec\\Norton AntiVirus\\Quarantine")
        ->writeString("QuarantinePath", "C:\\Program Files\\Norton AntiVirus\\Quarantine");
    sys.fakeFiles.addDir(kTemp);
    sys.fakeFiles.addDir(kQuarantine);
    sys.fakeFiles.addFile("C:\\outside\\canary.txt", "keep");
  }
  Tqex_ulm_frm& main() { return *app->qex_ulm_frm; }
  Tdeletefrm& cleaner() { return *app->deletefrm; }
  // A fresh application each time, as a test may run the program more than once.
  void startShown() {
    app.reset();
    start();
    main().show();
  }
  // Opens the cleaner from the main window and lets its run take place.
  void run() {
    click(main().Image2);
    ASSERT_TRUE(cleaner().visible());
    backend.advance(10);
  }
  bool exists(const std::string& path) { return sys.fakeFiles.attributes(path).has_value(); }
  // Every Label1 text the window showed while it handled messages, each change once; each
  // handling comes one screen refresh (50 ms) after the last.
  std::vector<std::string> shown;
  void recordLabel() {
    backend.onProcessMessages = [this] {
      sys.fakeClock.advance(50);
      const std::string& now = cleaner().Label1.caption();
      if (!now.empty() && (shown.empty() || shown.back() != now)) shown.push_back(now);
    };
  }
  std::vector<std::string> percentagesShown() const {
    std::vector<std::string> out;
    for (const auto& s : shown)
      if (s.size() > 9 && s.compare(s.size() - 9, 9, "% Deleted") == 0) out.push_back(s);
    return out;
  }
};

TEST_F(Cleaner, WindowHasItsControlsWhereTheyBelong) {
  start();
  Tdeletefrm& w = cleaner();
  EXPECT_EQ(w.caption(), "Deleting Temporary Files...");
  EXPECT_EQ(w.clientWidth(), 335);
  EXPECT_EQ(w.clientHeight(), 254);
  const std::vector<std::pair<ui::Control*, ui::Rect>> places = {{&w.Label1, {18, 136, 316, 149}},
                                                                 {&w.ProgressBar, {16, 152, 318, 177}},
                                                                 {&w.Image1, {120, 208, 217, 232}},
                                                                 {&w.Label2, {120, 214, 217, 226}}};
  for (const auto& [c, r] : places) {
    EXPECT_EQ(c->left(), r.left) << c->name();
    EXPECT_EQ(c->top(), r.top) << c->name();
    EXPECT_EQ(c->width(), r.width()) << c->name();
    EXPECT_EQ(c->height(), r.height()) << c->name();
  }
  EXPECT_EQ(w.Label2.caption(), "Cancel");
  EXPECT_EQ(w.Image1.pictureName(), "stand_btn_1");
  EXPECT_EQ(w.Label1.font(), ui::Font::pixels("Verdana", 11, true, ui::kWhite));
  EXPECT_FALSE(w.Timer1.enabled());
  EXPECT_EQ(w.Timer1.interval(), 10u);
}

TEST_F(Cleaner, ARunDeletesTheDottedFilesOfBothFoldersAndNothingElse) {
  auto& f = sys.fakeFiles;
  for (const char* name : {"a.tmp", "sub\\b.log", "sub\\deep\\c.x.y", "readme", "sub\\NOEXT"})
    f.addFile(kTemp + name, "data");
  f.addFile(kTemp + "ro.txt", "r", platform::kAttrReadOnly);
  f.addFile(kTemp + "held.txt", "h");
  auto holder = f.createFile(kTemp + "held.txt");
  // A junction, a symbolic link and Wine's link to a Unix folder, all leading out.
  f.addLink(kTemp + "sub\\out", "C:\\outside");
  f.addLink(kTemp + "junction", "C:\\outside", platform::fake::kTagMountPoint);
  f.addLink(kTemp + "symlink.d", "C:\\outside", platform::fake::kTagSymlink);
  f.addFile("C:\\outside\\deeper\\precious.doc", "p");
  f.setListedSize("C:\\outside\\deeper\\precious.doc", 10ull << 30);
  f.addFileLink(kTemp + "escape.txt", "C:\\outside\\canary.txt");
  f.addFile(kQuarantine + "q1.vir", "v");
  f.addFile(kQuarantine + "sub\\q2.vir", "v");
  f.addFile("C:\\WINDOWS\\win.ini", "w");
  startShown();
  run();

  for (const std::string& gone : {kTemp + "a.tmp", kTemp + "sub\\b.log", kTemp + "sub\\deep\\c.x.y",
                                  kQuarantine + "q1.vir", kQuarantine + "sub\\q2.vir"})
    EXPECT_FALSE(exists(gone)) << gone;
  for (const std::string& kept : {kTemp + "readme", kTemp + "sub\\NOEXT", kTemp + "ro.txt", kTemp + "held.txt",
                                  kTemp + "escape.txt", kTemp + "sub\\deep", kQuarantine + "sub",
                                  std::string("C:\\outside\\canary.txt"), std::string("C:\\outside\\deeper\\precious.doc"),
                                  kTemp + "junction", kTemp + "symlink.d", std::string("C:\\WINDOWS\\win.ini")})
    EXPECT_TRUE(exists(kept)) << kept;
  EXPECT_EQ(f.readFile("C:\\outside\\canary.txt", 10), "keep");
  // Nothing behind the folder links was even read: its ten gigabytes would show.
  EXPECT_EQ(cleaner().caption(), "Reading files: 0 KB");
  EXPECT_EQ(sys.fakeShell.emptiedBins, std::vector<std::string>{""});
  EXPECT_FALSE(cleaner().visible());
  EXPECT_EQ(cleaner().Label1.caption(), "");
  EXPECT_TRUE(cleaner().ProgressBar.picture().empty());
  EXPECT_FALSE(cleaner().running());
  EXPECT_TRUE(main().Timer1.enabled());
  EXPECT_TRUE(main().Timer2.enabled());
  EXPECT_TRUE(backend.boxes.empty());
}

TEST_F(Cleaner, EachChoiceTurnsItsStepOff) {
  struct Case {
    bool temporary, recycle, norton;
  };
  for (const Case c : {Case{true, false, false}, Case{false, true, false}, Case{false, false, true},
                       Case{true, true, true}}) {
    sys.fakeFiles.addFile(kTemp + "t.tmp");
    sys.fakeFiles.addFile(kQuarantine + "q.vir");
    sys.fakeShell.emptiedBins.clear();
    startShown();
    main().excludeTemporary = c.temporary;
    main().excludeRecycle = c.recycle;
    main().excludeNorton = c.norton;
    const int listings = sys.fakeFiles.listingsOpened();
    run();
    EXPECT_EQ(exists(kTemp + "t.tmp"), c.temporary);
    EXPECT_EQ(exists(kQuarantine + "q.vir"), c.norton);
    EXPECT_EQ(sys.fakeShell.emptiedBins.empty(), c.recycle);
    EXPECT_FALSE(cleaner().visible());
    if (c.temporary && c.norton) {
      EXPECT_EQ(sys.fakeFiles.listingsOpened(), listings);
      EXPECT_EQ(cleaner().caption(), "Deleting Temporary Files...");
    }
  }
}

TEST_F(Cleaner, PercentagesRunFromZeroToAHundredAndTheBarFills) {
  for (int count : {1, 2, 1000}) {
    sys.fakeFiles.remove(kTemp);
    for (int i = 0; i < count; ++i) sys.fakeFiles.addFile(kTemp + "f" + std::to_string(1000 + i) + ".tmp");
    startShown();
    shown.clear();
    int fillAtHalf = -1;
    backend.onProcessMessages = [&] {
      if (shown.empty() || shown.back() != cleaner().Label1.caption()) shown.push_back(cleaner().Label1.caption());
      const ui::Bitmap& bar = cleaner().ProgressBar.picture();
      if (shown.back() == "50% Deleted" && fillAtHalf < 0)
        for (fillAtHalf = 0; bar.pixel(2 + fillAtHalf, 12) == cleanup::CleanBar::kFillColor;) ++fillAtHalf;
    };
    run();
    std::vector<std::string> expected;
    for (int i = 0; i < count; ++i) {
      const std::string text = std::to_string(cleanup::deletedPercent(i, count)) + "% Deleted";
      if (expected.empty() || expected.back() != text) expected.push_back(text);
    }
    EXPECT_EQ(percentagesShown(), expected) << count;
    EXPECT_FALSE(exists(kTemp + "f1000.tmp"));
    if (count == 1000) {
      EXPECT_EQ(fillAtHalf, 151);
    }
  }
}

TEST_F(Cleaner, TitleCountsTheAmountReadAndLabelShowsTheShortenedPath) {
  sys.fakeFiles.addFile(kTemp + "small.tmp", std::string(1023, 's'));
  sys.fakeFiles.addFile(kTemp + "sub\\folder\\big.tmp");
  sys.fakeFiles.setListedSize(kTemp + "sub\\folder\\big.tmp", 5ull << 30);
  sys.fakeSystem.decimal = ',';
  recordLabel();
  startShown();
  run();
  // A file under 1 KB adds nothing; five gigabytes add five gigabytes.
  EXPECT_EQ(cleaner().caption(), "Reading files: 5,00 GB");
  ASSERT_GE(shown.size(), 2u);
  // 42 characters of the headless metric fit the label's 298 pixels.
  EXPECT_EQ(shown[0], "C:\\...\\Owner\\Local Settings\\Temp\\small.tmp");
  EXPECT_EQ(shown[1], "C:\\...\\Temp\\sub\\folder\\big.tmp");
}

// Fitting a path to the label measures text, so it is done as often as the screen is drawn,
// not for every file; the last file of a walk is shown when the walk ends.
TEST_F(Cleaner, PathLineFollowsTheWalkAsOftenAsTheScreenIsDrawn) {
  for (int i = 0; i < 300; ++i) sys.fakeFiles.addFile(kTemp + "f" + std::to_string(1000 + i) + ".tmp");
  sys.fakeFiles.addFile(kQuarantine + "q.vir");
  startShown();
  // No time passes while the files are read.
  backend.onProcessMessages = [this] {
    const std::string& now = cleaner().Label1.caption();
    if (!now.empty() && (shown.empty() || shown.back() != now)) shown.push_back(now);
  };
  run();
  ASSERT_GE(shown.size(), 3u);
  EXPECT_EQ(shown[0], "C:\\...\\Owner\\Local Settings\\Temp\\f1000.tmp");
  EXPECT_EQ(shown[1], "C:\\...\\Owner\\Local Settings\\Temp\\f1299.tmp");
  EXPECT_EQ(shown[2], "0% Deleted");
}

TEST_F(Cleaner, CancelWhileReadingStopsTheWalkAtOnceAndDeletesNothing) {
  for (int d = 0; d < 20; ++d) sys.fakeFiles.addFile(kTemp + "dir" + std::to_string(d) + "\\x.tmp");
  sys.fakeFiles.addFile(kQuarantine + "q.vir");
  startShown();
  int pumps = 0;
  backend.onProcessMessages = [&] {
    if (++pumps == 3) click(cleaner().Label2);
  };
  const int listings = sys.fakeFiles.listingsOpened();
  run();
  EXPECT_FALSE(cleaner().visible());
  EXPECT_LE(sys.fakeFiles.listingsOpened() - listings, 2);
  for (int d = 0; d < 20; ++d) EXPECT_TRUE(exists(kTemp + "dir" + std::to_string(d) + "\\x.tmp"));
  EXPECT_TRUE(exists(kQuarantine + "q.vir"));
  EXPECT_EQ(sys.fakeShell.emptiedBins.size(), 1u);
  EXPECT_EQ(cleaner().Image1.pictureName(), "stand_btn_1");
}

TEST_F(Cleaner, ClosingWhileDeletingLeavesTheRestByEitherWay) {
  for (bool byCancel : {true, false}) {
    for (int i = 0; i < 5; ++i) sys.fakeFiles.addFile(kTemp + "f" + std::to_string(i) + ".tmp");
    sys.fakeShell.emptiedBins.clear();
    startShown();
    backend.onProcessMessages = [&] {
      if (cleaner().Label1.caption() != "0% Deleted" || !cleaner().visible()) return;
      if (byCancel) click(cleaner().Label2);
      else cleaner().close();  // the caption button
    };
    run();
    EXPECT_FALSE(exists(kTemp + "f0.tmp"));
    for (int i = 1; i < 5; ++i) EXPECT_TRUE(exists(kTemp + "f" + std::to_string(i) + ".tmp")) << i;
    EXPECT_EQ(sys.fakeShell.emptiedBins.size(), 1u);
    EXPECT_FALSE(cleaner().running());
    backend.onProcessMessages = nullptr;
    sys.fakeFiles.remove(kTemp);
  }
}

TEST_F(Cleaner, NoSecondRunStartsWhileACancelledOneWindsDown) {
  for (int d = 0; d < 5; ++d) sys.fakeFiles.addFile(kTemp + "dir" + std::to_string(d) + "\\x.tmp");
  startShown();
  bool reopened = false;
  backend.onProcessMessages = [&] {
    if (!cleaner().running() || !cleaner().visible() || reopened) return;
    click(cleaner().Label2);
    // The user opens the cleaner again before the cancelled run has returned.
    click(main().Image2);
    reopened = true;
    EXPECT_FALSE(cleaner().visible());
    EXPECT_FALSE(cleaner().Timer1.enabled());
  };
  run();
  backend.onProcessMessages = nullptr;
  EXPECT_TRUE(exists(kTemp + "dir0\\x.tmp"));
  // Once it has ended, the cleaner opens and runs as ever.
  run();
  EXPECT_FALSE(exists(kTemp + "dir0\\x.tmp"));
  EXPECT_FALSE(exists(kTemp + "dir4\\x.tmp"));
}

TEST_F(Cleaner, BeyondTheFileLimitTheCollectedFilesAreDeleted) {
  for (int i = 0; i <= cleanup::kMaxCleanFiles; ++i) sys.fakeFiles.addFile(kTemp + std::to_string(200000 + i) + ".t");
  sys.fakeFiles.addFile(kQuarantine + "q1.vir");
  sys.fakeFiles.addFile(kQuarantine + "q2.vir");
  sys.fakeSystem.thousands = ".";
  startShown();
  run();
  ASSERT_EQ(backend.boxes.size(), 2u);  // once in each walk
  for (const auto& box : backend.boxes) {
    EXPECT_EQ(box.text, "There are more than 100.000 files that match.");
    EXPECT_EQ(box.caption, "Orvanta Kestrel");
    EXPECT_EQ(box.flags, 16u);
  }
  EXPECT_FALSE(exists(kTemp + "200000.t"));
  EXPECT_FALSE(exists(kTemp + "299999.t"));
  EXPECT_TRUE(exists(kTemp + "300000.t"));
  EXPECT_TRUE(exists(kQuarantine + "q1.vir"));
  EXPECT_TRUE(exists(kQuarantine + "q2.vir"));
}

TEST_F(Cleaner, FilesThatVanishOrFoldersThatCannotBeReadAreSkipped) {
  sys.fakeFiles.addFile(kTemp + "a.tmp");
  sys.fakeFiles.addFile(kTemp + "b.tmp");
  sys.fakeFiles.addFile(kTemp + "c.tmp");
  sys.fakeFiles.addFile(kTemp + "closed\\hidden.tmp");
  sys.fakeFiles.makeUnreadable(kTemp + "closed");
  startShown();
  backend.onProcessMessages = [&] {
    if (cleaner().Label1.caption() == "0% Deleted") sys.fakeFiles.remove(kTemp + "b.tmp");
  };
  run();
  EXPECT_FALSE(exists(kTemp + "a.tmp"));
  EXPECT_FALSE(exists(kTemp + "c.tmp"));
  EXPECT_TRUE(backend.boxes.empty());
  EXPECT_FALSE(cleaner().visible());
}

TEST_F(Cleaner, ARecycleBinThatCannotBeEmptiedIsLeftAsItIs) {
  sys.fakeFiles.addFile(kTemp + "a.tmp");
  sys.fakeShell.emptyFails = true;
  startShown();
  run();
  EXPECT_EQ(sys.fakeShell.emptiedBins.size(), 1u);
  EXPECT_FALSE(exists(kTemp + "a.tmp"));
  EXPECT_TRUE(backend.boxes.empty());
  EXPECT_FALSE(cleaner().visible());
}

TEST_F(Cleaner, FoldersThatMustNotBeEmptiedAreSkippedSilently) {
  sys.fakeFiles.remove(kTemp);
  sys.fakeFiles.addLink(kTemp, "C:\\WINDOWS");
  sys.fakeFiles.addFile("C:\\WINDOWS\\system.ini", "s");
  sys.fakeFiles.addFile("C:\\Program Files\\Orvanta\\ThreatData.db", "d");
  for (const char* quarantine : {"C:\\", "C:\\Program Files\\Orvanta", "C:\\Documents and Settings", "."}) {
    sys.fakeRegistry.open(RegRoot::LocalMachine, "SOFTWARE\\Symantec\\Norton AntiVirus\\Quarantine",
                          platform::RegAccess::AllAccess)
        ->writeString("QuarantinePath", quarantine);
    sys.fakeFiles.currentDirectory = "C:\\Program Files\\Orvanta\\";
    startShown();
    run();
    EXPECT_TRUE(exists("C:\\WINDOWS\\system.ini")) << quarantine;
    EXPECT_TRUE(exists("C:\\Program Files\\Orvanta\\ThreatData.db")) << quarantine;
    EXPECT_TRUE(exists("C:\\outside\\canary.txt")) << quarantine;
    EXPECT_FALSE(cleaner().visible());
  }
  EXPECT_TRUE(backend.boxes.empty());
}

TEST_F(Cleaner, LaterWindowsCleanTheTempFolderBelowLocalAppData) {
  sys.fakeSystem.version = {6, 1, 7601, 2, "Service Pack 1"};
  sys.fakeRegistry.open(RegRoot::CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                        platform::RegAccess::AllAccess)
      ->writeString("Local AppData", "C:\\Users\\Owner\\AppData\\Local");
  sys.fakeFiles.addFile("C:\\Users\\Owner\\AppData\\Local\\Temp\\new.tmp");
  sys.fakeFiles.addFile(kTemp + "old.tmp");
  startShown();
  run();
  EXPECT_FALSE(exists("C:\\Users\\Owner\\AppData\\Local\\Temp\\new.tmp"));
  EXPECT_TRUE(exists(kTemp + "old.tmp"));
}

}  // namespace
