// The scan window on fakes: a showing runs the scan and shows what it found, the end step and
// the fade-out of a clean scan started at logon, ending a scan early, the three buttons, and
// closing the window while something of it still runs.
#include "scan/deepscanfrm.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "app/qex_ulm_frm.h"
#include "monitor/preffrm.h"
#include "scan/scanphases.h"
#include "scan/scramble.h"
#include "tests/unit/app_fixture.h"
#include "ui/dialogs.h"

namespace {

using platform::RegAccess;
using platform::RegRoot;
using testing_app::AppTest;
using Rows = std::vector<std::string>;

const std::string kProgramDir = "C:\\Program Files\\Orvanta\\";

struct ScanWindow : AppTest {
  Tdeepscanfrm& scan() { return *app->deepscanfrm; }
  Tqex_ulm_frm& main() { return *app->qex_ulm_frm; }

  // Every list beside the program; those given lines hold them, scrambled as the vendor's tool
  // writes them, the others are empty.
  void lists(std::initializer_list<std::pair<size_t, std::vector<std::string>>> filled) {
    for (size_t phase = 0; phase < scan::kScanPhases.size(); ++phase) {
      std::string bytes;
      for (const auto& [p, lines] : filled)
        if (p == phase)
          for (const auto& line : lines) bytes += scan::scrambleText(line) + "\r\n";
      sys.fakeFiles.addFile(kProgramDir + scan::kScanPhases[phase].listName, bytes);
    }
  }
  void makeKey(RegRoot root, const std::string& path) {
    ASSERT_NE(sys.registry().create(root, path), nullptr) << path;
  }
  bool keyExists(RegRoot root, const std::string& path) {
    return sys.registry().open(root, path, RegAccess::Read) != nullptr;
  }
  // The results as "caption|sub-item".
  Rows rows() {
    Rows out;
    for (const auto& r : scan().ListView1.rows()) out.push_back(r.caption + "|" + r.subItems.at(0));
    return out;
  }
  bool buttonsEnabled() {
    const bool all = scan().Image1.enabled() && scan().Image3.enabled() && scan().Image2.enabled();
    EXPECT_EQ(all, scan().Label12.enabled() || scan().Label3.enabled() || scan().Label4.enabled());
    return all;
  }
  void click(ui::Control& c) {
    c.form().mouseDown(c.left() + 2, c.top() + 2);
    c.form().mouseUp(c.left() + 2, c.top() + 2);
  }
  // Shows the window and runs the whole scan.
  void runScan() {
    scan().show();
    backend.advance(10);
  }

  // Runs fn once, ms milliseconds of virtual time from now: the scan's lines take 10 ms each,
  // their pauses, and a timer falls due in the pause of the line that runs then.
  void after(uint32_t ms, std::function<void()> fn) {
    timers_.push_back(std::make_unique<ui::Timer>(helper_, "After", ms));
    ui::Timer* t = timers_.back().get();
    t->onTimer = [t, fn] {
      t->stop();
      fn();
    };
    t->start();
  }

 private:
  ui::Form helper_{ui, "Thelperfrm", "helperfrm", 10, 10};
  std::vector<std::unique_ptr<ui::Timer>> timers_;
};

TEST_F(ScanWindow, StandsEachControlAtItsPlace) {
  start();
  EXPECT_EQ(scan().caption(), "Orvanta System Scan");
  EXPECT_EQ(scan().clientWidth(), 566);
  EXPECT_EQ(scan().clientHeight(), 365);
  struct Place {
    ui::Control& c;
    int x, y;
  };
  for (const Place& p :
       {Place{scan().Label2, 40, 280}, Place{scan().Label1, 40, 296}, Place{scan().Label7, 40, 312},
        Place{scan().ListView1, 32, 48}, Place{scan().Image1, 232, 216},
        Place{scan().Image3, 336, 216}, Place{scan().Image2, 440, 216}}) {
    EXPECT_EQ(p.c.left(), p.x) << p.c.name();
    EXPECT_EQ(p.c.top(), p.y) << p.c.name();
  }
  EXPECT_EQ(scan().Label1.width(), 489);
  EXPECT_TRUE(scan().Label1.font().bold);
  EXPECT_EQ(scan().ListView1.width(), 505);
  EXPECT_EQ(scan().ListView1.height(), 153);
  ASSERT_EQ(scan().ListView1.columns().size(), 2u);
  EXPECT_EQ(scan().ListView1.columns()[0].width, 340);
  EXPECT_EQ(scan().ListView1.columns()[1].width, 140);
  EXPECT_EQ(scan().ListView1.color(), ui::rgb(215, 227, 243));
  EXPECT_EQ(scan().Label12.caption(), "Quarantine");
  EXPECT_EQ(scan().Label3.caption(), "Delete files");
  EXPECT_EQ(scan().Label4.caption(), "Save log");
  EXPECT_EQ(scan().Image4.pictureName(), "detect_file");
  EXPECT_EQ(scan().Image5.pictureName(), "detect_reg");
}

TEST_F(ScanWindow, AShowingScansListsTheFindsAndLeavesTheFilesToTheButtons) {
  sys.fakeFiles.addFile("C:\\WINDOWS\\evil & co.exe", "bad");
  makeKey(RegRoot::ClassesRoot, "BadType\\shell\\open");
  makeKey(RegRoot::ClassesRoot, "GoodType");
  lists({{0, {"evil & co.exe", "absent.exe"}}, {1, {"\\BadType"}}});
  start();
  main().show();
  scan().show();
  EXPECT_FALSE(main().Timer1.enabled());
  EXPECT_TRUE(main().Timer2.enabled());
  EXPECT_EQ(scan().Label2.caption(), "Scanning file system:");
  EXPECT_FALSE(buttonsEnabled());
  backend.advance(10);

  EXPECT_EQ(scan().Label2.caption(), "Scan complete.");
  EXPECT_EQ(scan().Label1.caption(), "2 infections were found.");
  EXPECT_EQ(scan().Label7.caption(), "Items scanned: 3");
  EXPECT_EQ(scan().ItemsScanned, 3);
  EXPECT_EQ(scan().Label8.caption(), "1");
  EXPECT_EQ(scan().Label9.caption(), "1");
  const std::string stamp = scan().ListView1.rows().at(0).subItems.at(0);
  EXPECT_FALSE(stamp.empty());
  EXPECT_EQ(rows(),
            (Rows{"C:\\WINDOWS\\evil & co.exe|" + stamp, "HKEY_CLASSES_ROOT\\BadType|Removed"}));
  EXPECT_EQ(scan().ListView1.rows()[1].imageIndex, 0);
  EXPECT_EQ(scan().DetectedFiles, Rows{"C:\\WINDOWS\\evil & co.exe"});
  EXPECT_TRUE(buttonsEnabled());
  EXPECT_FALSE(keyExists(RegRoot::ClassesRoot, "BadType"));
  EXPECT_TRUE(keyExists(RegRoot::ClassesRoot, "GoodType"));
  EXPECT_TRUE(sys.files().fileExists("C:\\WINDOWS\\evil & co.exe"));

  scan().close();  // a finished scan closes without a question
  EXPECT_FALSE(scan().visible());
  EXPECT_TRUE(backend.boxes.empty());
  EXPECT_TRUE(scan().ListView1.rows().empty());
  EXPECT_TRUE(scan().DetectedFiles.empty());
  EXPECT_EQ(scan().ItemsScanned, 0);
  EXPECT_TRUE(main().Timer1.enabled());
  EXPECT_TRUE(main().Timer2.enabled());
}

TEST_F(ScanWindow, KeysAloneGiveTheButtonsNothingToDo) {
  makeKey(RegRoot::CurrentUser, "Software\\BadUser");
  lists({{4, {"\\Software\\BadUser"}}});
  start();
  runScan();
  EXPECT_EQ(scan().Label1.caption(), "1 infections were found.");
  EXPECT_FALSE(buttonsEnabled());
}

// The backup cannot be written: the key stays, its row says so, and the box at the end offers
// to delete it anyway; Yes does, and the row then says so.
TEST_F(ScanWindow, AKeyThatCouldNotBeBackedUpIsOfferedOnceAtTheEnd) {
  makeKey(RegRoot::CurrentUser, "Software\\BadUser");
  sys.fakeFiles.addFile(kProgramDir + "Quarantined", "not a folder");
  lists({{4, {"\\Software\\BadUser"}}});
  start();
  backend.boxAnswers = {ui::kIdNo};
  runScan();
  ASSERT_EQ(backend.boxes.size(), 1u);
  EXPECT_EQ(backend.boxes[0].caption, "Orvanta Scan");
  EXPECT_EQ(backend.boxes[0].flags, ui::kMbYesNo | ui::kMbIconWarning);
  EXPECT_EQ(rows(), (Rows{"HKEY_CURRENT_USER\\Software\\BadUser|Not removed"}));
  EXPECT_EQ(scan().Label2.caption(), "Scan complete.");
  EXPECT_TRUE(keyExists(RegRoot::CurrentUser, "Software\\BadUser"));

  backend.boxAnswers = {ui::kIdYes};
  scan().close();
  runScan();
  EXPECT_EQ(backend.boxes.size(), 2u);
  EXPECT_EQ(rows(), (Rows{"HKEY_CURRENT_USER\\Software\\BadUser|Removed"}));
  EXPECT_FALSE(keyExists(RegRoot::CurrentUser, "Software\\BadUser"));
}

TEST_F(ScanWindow, ACleanScanAtLogonFadesOutAndTheProgramStaysInTheTray) {
  lists({});
  sys.fakeSystem.args = {"-scan"};
  sys.fakeFiles.addFile(kProgramDir + "qexsys.ini", "[System]\r\nNews=0\r\n");
  start();
  main().show();
  ui::Bitmap b(main().clientWidth(), main().clientHeight());
  ui::Canvas c(b);
  main().paintClient(c);
  ASSERT_TRUE(scan().visible());
  EXPECT_FALSE(main().visible());
  backend.advance(10);
  EXPECT_EQ(scan().Label1.caption(), "0 infections were found.");
  backend.advance(10000 + 1);
  EXPECT_TRUE(scan().layered());
  EXPECT_EQ(scan().Opacity, 98);
  EXPECT_EQ(scan().alpha(), 249);
  backend.advance(48);
  EXPECT_TRUE(scan().visible());
  EXPECT_EQ(scan().alpha(), 5);  // 2 % of 255
  backend.advance(1);
  EXPECT_FALSE(scan().visible());
  EXPECT_FALSE(scan().AutoClose);
  EXPECT_FALSE(ui.terminated());
  EXPECT_TRUE(ui.tray().present);
  EXPECT_FALSE(main().Timer1.enabled());  // the main window stays in the tray

  // Shown again, the window is opaque from the start.
  scan().show();
  EXPECT_FALSE(scan().layered());
  EXPECT_EQ(scan().alpha(), 255);
  EXPECT_EQ(scan().Opacity, 100);
}

TEST_F(ScanWindow, AScanWithFindingsStaysOpenAndKeepsAutoClose) {
  sys.fakeFiles.addFile("C:\\WINDOWS\\evil.exe", "bad");
  lists({{0, {"evil.exe"}}});
  start();
  scan().AutoClose = true;
  runScan();
  backend.advance(20000);
  EXPECT_TRUE(scan().visible());
  EXPECT_FALSE(scan().layered());
  EXPECT_TRUE(scan().AutoClose);
}

TEST_F(ScanWindow, ClosingDuringTheScanAsksAndYesEndsItBeforeAnotherLookUp) {
  makeKey(RegRoot::ClassesRoot, "BadType");
  for (const char* key : {"Software\\KeyA", "Software\\KeyB"}) makeKey(RegRoot::CurrentUser, key);
  lists({{1, {"\\BadType"}}, {4, {"\\Software\\KeyA", "\\Software\\KeyB"}}});
  start();
  backend.boxAnswers = {ui::kIdNo, ui::kIdYes};
  scan().show();
  after(15, [&] { scan().close(); });  // while the window pauses on the first line: No
  after(25, [&] { scan().close(); });  // on the second: Yes
  backend.advance(10);
  ASSERT_EQ(backend.boxes.size(), 2u);
  EXPECT_EQ(backend.boxes[0].text, "Are you sure you want to end this scan?");
  EXPECT_EQ(backend.boxes[0].caption, "Orvanta Scan");
  EXPECT_EQ(backend.boxes[0].flags, ui::kMbYesNo | ui::kMbIconQuestion);
  EXPECT_FALSE(scan().visible());
  EXPECT_TRUE(scan().StopRequested);
  // What was deleted stays deleted; nothing is looked up after the answer.
  EXPECT_FALSE(keyExists(RegRoot::ClassesRoot, "BadType"));
  EXPECT_TRUE(keyExists(RegRoot::CurrentUser, "Software\\KeyA"));
  EXPECT_TRUE(keyExists(RegRoot::CurrentUser, "Software\\KeyB"));
  EXPECT_EQ(scan().Label2.caption(), "Deep Scanning Registry:");
  EXPECT_EQ(scan().Label7.caption(), "Items scanned: 2");
}

TEST_F(ScanWindow, AScanEndedByClosingStaysEndedWhenTheWindowIsShownAgainAtOnce) {
  for (const char* key : {"Software\\KeyA", "Software\\KeyB"}) makeKey(RegRoot::CurrentUser, key);
  lists({{4, {"\\Software\\KeyA", "\\Software\\KeyB"}}});
  start();
  scan().show();
  after(15, [&] {
    scan().close();  // answered Yes
    scan().show();   // StopRequested is false again, for the new showing's scan
  });
  backend.advance(10);
  EXPECT_TRUE(keyExists(RegRoot::CurrentUser, "Software\\KeyA"));
  EXPECT_TRUE(scan().ListView1.rows().empty());
  EXPECT_EQ(scan().Label2.caption(), "Scanning file system:");

  backend.advance(20);  // the new showing's own scan
  EXPECT_FALSE(keyExists(RegRoot::CurrentUser, "Software\\KeyA"));
  EXPECT_EQ(rows(), (Rows{"HKEY_CURRENT_USER\\Software\\KeyA|Removed",
                          "HKEY_CURRENT_USER\\Software\\KeyB|Removed"}));
  EXPECT_EQ(scan().Label9.caption(), "2");
}

TEST_F(ScanWindow, QuittingDuringAScanEndsIt) {
  for (const char* key : {"Software\\KeyA", "Software\\KeyB"}) makeKey(RegRoot::CurrentUser, key);
  lists({{4, {"\\Software\\KeyA", "\\Software\\KeyB"}}});
  start();
  scan().show();
  after(15, [&] { ui.terminate(); });
  backend.advance(10);
  EXPECT_TRUE(keyExists(RegRoot::CurrentUser, "Software\\KeyA"));
  EXPECT_TRUE(keyExists(RegRoot::CurrentUser, "Software\\KeyB"));
}

// A list control redraws its scroll bar for every row it gets: the rows found fill the visible
// part of the list at once, and below it come in batches a second apart; none is lost.
TEST_F(ScanWindow, RowsBelowTheVisibleOnesComeInBatchesAndAllArriveInOrder) {
  std::vector<std::string> listed;
  Rows expected;
  for (int i = 0; i < 20; ++i) {
    const std::string name = "Bad" + std::to_string(100 + i);
    makeKey(RegRoot::ClassesRoot, name);
    listed.push_back("\\" + name);
    expected.push_back("HKEY_CLASSES_ROOT\\" + name + "|Removed");
  }
  lists({{1, listed}});
  start();
  scan().show();
  size_t shownEarly = 0, shownAfterASecond = 0;
  after(150, [&] {
    shownEarly = scan().ListView1.rows().size();
    EXPECT_GT(std::stoi(scan().Label9.caption()), 8);
    sys.fakeClock.advance(1000);
  });
  after(170, [&] { shownAfterASecond = scan().ListView1.rows().size(); });
  backend.advance(10);
  EXPECT_EQ(shownEarly, 8u);
  EXPECT_GT(shownAfterASecond, 8u);
  EXPECT_LT(shownAfterASecond, 20u);
  EXPECT_EQ(rows(), expected);
  EXPECT_EQ(scan().Label9.caption(), "20");
}

TEST_F(ScanWindow, AMissingOrUnreadableListEndsTheScanWhereItStands) {
  lists({});
  sys.fakeFiles.remove(kProgramDir + "SysDataExt2.db");
  sys.fakeFiles.makeUnreadable(kProgramDir + "SysDataExt1.db");
  start();
  runScan();
  EXPECT_EQ(scan().Label2.caption(), "Deep Scanning Registry:");
  EXPECT_FALSE(buttonsEnabled());
  EXPECT_TRUE(backend.boxes.empty());
  backend.boxAnswers = {ui::kIdNo};
  scan().close();
  EXPECT_TRUE(scan().visible());
  EXPECT_EQ(backend.boxes.size(), 1u);

  lists({});
  sys.fakeFiles.makeUnreadable(kProgramDir + "SysDataExt1.db");
  backend.boxAnswers = {ui::kIdYes};
  scan().close();
  runScan();
  ASSERT_EQ(backend.boxes.size(), 3u);
  EXPECT_EQ(backend.boxes[2].caption, "Orvanta Kestrel");
  EXPECT_EQ(backend.boxes[2].flags, ui::kMbOk | ui::kMbIconError);
  EXPECT_NE(scan().Label2.caption(), "Scan complete.");
}

TEST_F(ScanWindow, TheDetectionSoundFollowsThePreferencesSwitchInMemory) {
  sys.fakeFiles.addFile(kProgramDir + "qexsys.ini", "[System]\r\nInfSound=1\r\nSysChange=1\r\n");
  sys.fakeFiles.addFile("C:\\WINDOWS\\evil.exe", "bad");
  lists({{0, {"evil.exe"}}});
  start();
  EXPECT_TRUE(app->preffrm->InfSound);
  EXPECT_TRUE(app->preffrm->SysChange);
  EXPECT_FALSE(app->preffrm->SysScan);
  runScan();
  ASSERT_EQ(sys.fakeSound.played.size(), 1u);
  EXPECT_EQ(sys.fakeSound.played[0].name, "warning");
  scan().close();
  app->preffrm->InfSound = false;
  runScan();
  EXPECT_EQ(sys.fakeSound.played.size(), 1u);
}

TEST_F(ScanWindow, QuarantineMovesTheFilesAndLeavesEveryButtonDimmed) {
  sys.fakeFiles.addFile("C:\\WINDOWS\\x.exe", "one");
  sys.fakeFiles.addFile("C:\\WINDOWS\\system32\\x.exe", "two");
  lists({{0, {"x.exe", "system32\\x.exe"}}});
  start();
  runScan();
  click(scan().Label12);
  EXPECT_EQ(scan().Label1.caption(), "Quarantine complete.");
  EXPECT_EQ(scan().Label8.caption(), "0");
  EXPECT_TRUE(scan().ListView1.rows().empty());
  EXPECT_FALSE(buttonsEnabled());
  EXPECT_FALSE(sys.files().fileExists("C:\\WINDOWS\\x.exe"));
  EXPECT_EQ(sys.files().readFile(kProgramDir + "Quarantined\\x.exe.qua", 100), "one");
  EXPECT_EQ(sys.files().readFile(kProgramDir + "Quarantined\\x.exe.2.qua", 100), "two");
  click(scan().Image2);  // Save log is dimmed too
  EXPECT_TRUE(backend.saveDialogs.empty());
}

TEST_F(ScanWindow, DeleteFilesCountsTheFilesThatStay) {
  sys.fakeFiles.addFile("C:\\WINDOWS\\a.exe", "a");
  sys.fakeFiles.addFile("C:\\WINDOWS\\stuck.exe", "s", platform::kAttrReadOnly);
  lists({{0, {"a.exe", "stuck.exe"}}});
  start();
  runScan();
  click(scan().Image3);
  EXPECT_EQ(scan().Label1.caption(), "File removal complete.");
  EXPECT_EQ(scan().Label8.caption(), "1");
  EXPECT_EQ(scan().FilesDetected, 1);
  EXPECT_TRUE(sys.files().fileExists("C:\\WINDOWS\\stuck.exe"));
}

TEST_F(ScanWindow, ClosingDuringARemovalEndsItAfterTheFileAndASecondPressDoesNothing) {
  sys.fakeFiles.addFile("C:\\WINDOWS\\a.exe", "a");
  sys.fakeFiles.addFile("C:\\WINDOWS\\b.exe", "b");
  lists({{0, {"a.exe", "b.exe"}}});
  start();
  runScan();
  after(5, [&] {           // while the window pauses after the first file
    click(scan().Label3);  // Delete files, dimmed while the quarantine runs
    click(scan().Label12);
    scan().close();
  });
  click(scan().Label12);
  EXPECT_FALSE(scan().visible());
  EXPECT_TRUE(backend.boxes.empty());
  EXPECT_FALSE(sys.files().fileExists("C:\\WINDOWS\\a.exe"));
  EXPECT_EQ(sys.files().readFile(kProgramDir + "Quarantined\\a.exe.qua", 100), "a");
  EXPECT_EQ(sys.files().readFile("C:\\WINDOWS\\b.exe", 100), "b");
  EXPECT_FALSE(sys.files().fileExists(kProgramDir + "Quarantined\\a.exe.2.qua"));
}

TEST_F(ScanWindow, SaveLogAsksWhereAndBeforeReplacingAFile) {
  sys.fakeFiles.addFile("C:\\WINDOWS\\a.exe", "a");
  sys.fakeFiles.addFile("C:\\WINDOWS\\b.exe", "b");
  makeKey(RegRoot::ClassesRoot, "BadType");
  lists({{0, {"a.exe", "b.exe"}}, {1, {"\\BadType"}}});
  start();
  runScan();
  backend.saveAnswers = {std::nullopt, std::string("C:\\log.txt"), std::string("C:\\WINDOWS")};
  click(scan().Label4);  // cancelled
  EXPECT_FALSE(sys.files().fileExists("C:\\log.txt"));
  click(scan().Image2);
  ASSERT_EQ(backend.saveDialogs.size(), 2u);
  const ui::SaveDialogOptions& o = backend.saveDialogs[1];
  EXPECT_EQ(o.title, "Save Scan Log");
  EXPECT_EQ(o.filter, "Text Documents (*.txt)|*.txt");
  EXPECT_EQ(o.defaultExt, "*.txt");
  EXPECT_TRUE(o.overwritePrompt);
  EXPECT_EQ(sys.files().readFile("C:\\log.txt", 100),
            "C:\\WINDOWS\\a.exe\r\nC:\\WINDOWS\\b.exe\r\n");
  EXPECT_TRUE(buttonsEnabled());

  click(scan().Image2);  // a folder cannot take the log
  ASSERT_EQ(backend.boxes.size(), 1u);
  EXPECT_EQ(backend.boxes[0].text, "The scan log could not be written to C:\\WINDOWS.");
}

}  // namespace
