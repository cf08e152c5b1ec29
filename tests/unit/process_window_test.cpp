// The System Wizard on fakes: the process list and its count, ending a process, locating its
// file on the Windows drive with what arrives meanwhile, the file details, deleting a copy, the
// report and the way back.
#include <gtest/gtest.h>

#include "app/qex_ulm_frm.h"
#include "cleanup/searchfrm.h"
#include "process/systemprofrm.h"
#include "tests/unit/app_fixture.h"
#include "ui/dialogs.h"

namespace {

using platform::fake::FakeProcess;
using testing_app::AppTest;

struct ProcessWindow : AppTest {
  ProcessWindow() {
    sys.fakeProcesses.running = {{4, "System", std::nullopt, false},
                                 {300, "explorer.exe", "explorer.exe"},
                                 {512, "notepad.exe", "notepad.exe"}};
  }
  Tsystemprofrm& w() { return *app->systemprofrm; }
  void open() {
    start();
    w().show();
    backend.advance(10);
  }
  void select(int row) {
    w().ListView1.select(row);
    w().ListView1.userSelected(row);
  }
  int rowOf(const std::string& caption) {
    for (int i = 0; i < w().ListView1.rowCount(); ++i)
      if (w().ListView1.rows()[i].caption == caption) return i;
    return -1;
  }
  std::vector<std::string> captions() {
    std::vector<std::string> out;
    for (const auto& r : w().ListView1.rows()) out.push_back(r.caption);
    return out;
  }
  void locateNotepad() {
    select(rowOf("notepad.exe"));
    ASSERT_TRUE(w().PopupMenu1.choose("TerminateandLocatethisfile1"));
  }
};

TEST_F(ProcessWindow, TheListFollowsTheFirstTickWithTheCountLessOne) {
  start();
  w().show();
  EXPECT_EQ(w().Label10.caption(), "Use with caution as it may affect running applications.");
  EXPECT_EQ(w().ListView1.rowCount(), 0);
  backend.advance(10);
  EXPECT_FALSE(w().Timer1.enabled());
  EXPECT_EQ(captions(), (std::vector<std::string>{"<unknown>", "explorer.exe", "notepad.exe"}));
  EXPECT_EQ(w().ListView1.rows()[2].subItems, (std::vector<std::string>{"512"}));
  EXPECT_EQ(w().ListView1.rows()[0].imageIndex, 0);
  EXPECT_EQ(w().ListView1.smallImages.size(), 1u);
  EXPECT_EQ(w().Label6.caption(), "Application");
  EXPECT_EQ(w().Label2.caption(), "2");
  EXPECT_EQ(w().Label4.caption(), "running processes were found");
  EXPECT_EQ(w().Label4.left(), w().Label2.left() + w().Label2.width() + 4);
  EXPECT_EQ(w().ListView1.columns()[0].width, 150);
  EXPECT_EQ(w().Image1.top(), 58);
}

TEST_F(ProcessWindow, AllProcessesAreListedBeyondTheOldTable) {
  for (uint32_t pid = 1000; pid < 2500; ++pid)
    sys.fakeProcesses.running.push_back({pid, "p.exe", "p.exe"});
  open();
  EXPECT_EQ(w().ListView1.rowCount(), 1503);
  EXPECT_EQ(w().Label2.caption(), "1502");
}

TEST_F(ProcessWindow, TerminateEndsTheProcessAndDropsItsRow) {
  open();
  EXPECT_FALSE(w().Image2.enabled());
  select(rowOf("notepad.exe"));
  EXPECT_TRUE(w().Image2.enabled());
  click(w().Image2);
  EXPECT_EQ(sys.fakeProcesses.terminated, (std::vector<uint32_t>{512}));
  EXPECT_EQ(captions(), (std::vector<std::string>{"<unknown>", "explorer.exe"}));
  EXPECT_EQ(w().Label2.caption(), "1");
  EXPECT_TRUE(backend.boxes.empty());
}

// Notepad ended after the list was made, and the system gave its ID to the user's editor.
TEST_F(ProcessWindow, ARowWhoseIdNowNamesAnotherProgramEndsNothing) {
  open();
  sys.fakeProcesses.running[2] = {512, "editor.exe", "editor.exe"};
  select(rowOf("notepad.exe"));
  click(w().Image2);
  EXPECT_TRUE(sys.fakeProcesses.terminated.empty());
  EXPECT_EQ(captions(), (std::vector<std::string>{"<unknown>", "explorer.exe"}));
  EXPECT_TRUE(backend.boxes.empty());
}

// A process started later got the listed one's ID: the same program (a second notepad), or,
// for a row whose name could not be read, any other process that tells no name either.
TEST_F(ProcessWindow, ARowWhoseIdWasGivenToALaterProcessOfTheSameNameEndsNothing) {
  open();
  sys.fakeProcesses.running[2] = {512, "notepad.exe", "notepad.exe", true, 2};
  sys.fakeProcesses.running[0] = {4, "System", std::nullopt, true, 3};
  select(rowOf("notepad.exe"));
  click(w().Image2);
  select(rowOf("<unknown>"));
  click(w().Image2);
  EXPECT_TRUE(sys.fakeProcesses.terminated.empty());
  EXPECT_EQ(captions(), (std::vector<std::string>{"explorer.exe"}));
  EXPECT_TRUE(backend.boxes.empty());
}

// A process listed while it was starting had no name yet: its start tells it apart.
TEST_F(ProcessWindow, AProcessListedBeforeItHadANameIsEndedByItsStart) {
  sys.fakeProcesses.running[0] = {4, "starting.exe", std::nullopt, true, 3};
  open();
  sys.fakeProcesses.running[0].moduleName = "starting.exe";
  select(rowOf("<unknown>"));
  click(w().Image2);
  EXPECT_EQ(sys.fakeProcesses.terminated, std::vector<uint32_t>{4});
}

// Nothing tells a process that cannot even say when it started from a later one.
TEST_F(ProcessWindow, AProcessWhoseStartCannotBeReadIsNotEnded) {
  sys.fakeProcesses.running[1].created = std::nullopt;
  open();
  select(rowOf("explorer.exe"));
  click(w().Image2);
  EXPECT_TRUE(sys.fakeProcesses.terminated.empty());
  ASSERT_EQ(backend.boxes.size(), 1u);
  EXPECT_EQ(backend.boxes[0].text, "The process \"explorer.exe\" (300) could not be ended.");
}

TEST_F(ProcessWindow, AProcessThatWillNotEndKeepsItsRowAndTheUserIsTold) {
  open();
  select(0);
  click(w().Image2);
  ASSERT_EQ(backend.boxes.size(), 1u);
  EXPECT_EQ(backend.boxes[0].text, "The process \"<unknown>\" (4) could not be ended.");
  EXPECT_EQ(backend.boxes[0].flags, ui::kMbOk | ui::kMbIconWarning);
  EXPECT_EQ(w().ListView1.rowCount(), 3);
  EXPECT_EQ(w().Label2.caption(), "2");

  // One that ended by itself meanwhile is gone all the same.
  sys.fakeProcesses.running.erase(sys.fakeProcesses.running.begin() + 1);
  select(1);
  click(w().Image2);
  EXPECT_EQ(backend.boxes.size(), 1u);
  EXPECT_EQ(captions(), (std::vector<std::string>{"<unknown>", "notepad.exe"}));
}

TEST_F(ProcessWindow, TheMenuFollowsTheRow) {
  open();
  w().ListView1.contextPopup();
  for (const char* item : {"Terminate1", "TerminateandLocatethisfile1", "Deletefile1"})
    EXPECT_FALSE(w().PopupMenu1.item(item)->enabled) << item;
  select(rowOf("<unknown>"));
  w().ListView1.contextPopup();
  EXPECT_EQ(w().SelectedName, "<unknown>");
  EXPECT_TRUE(w().PopupMenu1.item("Terminate1")->enabled);
  EXPECT_FALSE(w().PopupMenu1.item("TerminateandLocatethisfile1")->enabled);
  EXPECT_FALSE(w().PopupMenu1.item("Deletefile1")->enabled);
  select(rowOf("explorer.exe"));
  EXPECT_TRUE(w().PopupMenu1.item("TerminateandLocatethisfile1")->enabled);
}

struct Locate : ProcessWindow {
  Locate() {
    sys.fakeFiles.addFile("C:\\WINDOWS\\notepad.exe", "n", platform::kAttrArchive,
                          127173888000000000ull);
    sys.fakeFiles.addFile("C:\\Backup\\Old\\NOTEPAD.EXE", "n");
    sys.fakeFiles.addFile("C:\\Backup\\notepad.exe.bak", "n");
    sys.fakeFiles.addFile("D:\\notepad.exe", "n");
    sys.fakeProcesses.versions["C:\\WINDOWS\\notepad.exe"] = {{"LegalCopyright", "(c) Someone"}};
  }
  // Delete file on the located copy, the question answered.
  bool deleteLocated(const std::string& path, int answer) {
    select(rowOf(path));
    backend.boxAnswers = {answer};
    return w().PopupMenu1.choose("Deletefile1");
  }
};

TEST_F(Locate, EndsTheProcessAndListsEveryCopyOnTheWindowsDrive) {
  open();
  bool hourglass = false;
  backend.post([&] {
    hourglass =
        w().cursor == ui::Cursor::Hourglass && w().ListView1.cursor == ui::Cursor::Hourglass;
  });
  locateNotepad();
  EXPECT_TRUE(hourglass);
  EXPECT_EQ(w().cursor, ui::Cursor::Default);
  EXPECT_EQ(sys.fakeProcesses.terminated, (std::vector<uint32_t>{512}));
  EXPECT_EQ(w().Label2.caption(), "1");
  EXPECT_EQ(w().Label6.caption(), "Location");
  EXPECT_EQ(w().Label7.caption(), "");
  // Depth first, folders in the order of their paths.
  EXPECT_EQ(captions(),
            (std::vector<std::string>{"C:\\Backup\\Old\\NOTEPAD.EXE", "C:\\WINDOWS\\notepad.exe"}));
  EXPECT_EQ(w().ListView1.columns()[0].width, 284);
  EXPECT_EQ(w().ListView1.columns()[1].width, 1);
  EXPECT_EQ(w().Label10.caption(), "Found 2 notepad.exe files.");
  EXPECT_EQ(w().Label3.caption(),
            "You can learn more about the owner of a file, by selecting it from the list. If you "
            "want to delete "
            "the file, right click on it and select Delete.");
  EXPECT_FALSE(w().Image2.enabled());
  EXPECT_EQ(w().LocatePaths[0].path, "C:\\");
  EXPECT_TRUE(w().LocatePaths[0].flag);
}

TEST_F(Locate, AFileShowsItsOwnerAndTimeOrThatNothingIsKnown) {
  open();
  locateNotepad();
  select(rowOf("C:\\WINDOWS\\notepad.exe"));
  EXPECT_FALSE(w().Image2.enabled());
  EXPECT_EQ(w().Label10.caption(), "C:\\WINDOWS\\notepad.exe");
  EXPECT_EQ(w().FileOwner, "(c) Someone");
  EXPECT_EQ(w().Label3.caption(),
            "The developer and owner of this file is:\n(c) Someone\nThis file was "
            "created:\n1/1/2004  12:00 AM");
  select(rowOf("C:\\Backup\\Old\\NOTEPAD.EXE"));
  EXPECT_EQ(w().FileOwner, "I couldn't find any information about this file.");
  EXPECT_TRUE(w().PopupMenu1.item("Deletefile1")->enabled);
  EXPECT_FALSE(w().PopupMenu1.item("Terminate1")->enabled);
}

TEST_F(Locate, PathsOverFiftyCharactersAreFittedToTheLine) {
  const std::string fifty = "C:\\" + std::string(35, 'f') + "\\notepad.exe";
  const std::string longer =
      "C:\\" + std::string(36, 'g') + "\\" + std::string(20, 'h') + "\\notepad.exe";
  ASSERT_EQ(fifty.size(), 50u);
  sys.fakeFiles.addFile(fifty);
  sys.fakeFiles.addFile(longer);
  open();
  locateNotepad();
  select(rowOf(fifty));
  EXPECT_EQ(w().Label10.caption(), fifty);
  select(rowOf(longer));
  EXPECT_EQ(w().Label10.caption(), "C:\\...\\" + std::string(20, 'h') + "\\notepad.exe");
}

TEST_F(Locate, AnotherSectionOrClosingStopsTheWalkAndKeepsItsRowsOut) {
  open();
  backend.post([this] { click(w().Label1); });
  locateNotepad();
  EXPECT_EQ(w().Label6.caption(), "Application");
  EXPECT_EQ(captions(), (std::vector<std::string>{"<unknown>", "explorer.exe"}));
  EXPECT_NE(w().Label10.caption().rfind("Found", 0), 0u);
  EXPECT_TRUE(w().Finder.Stopped);

  sys.fakeProcesses.running.push_back({600, "notepad.exe", "notepad.exe"});
  click(w().Label1);
  backend.post([this] { w().close(); });
  locateNotepad();
  EXPECT_FALSE(w().visible());
  EXPECT_EQ(w().ListView1.rowCount(), 0);
  EXPECT_EQ(w().LocatePaths.Count(), 0);
  EXPECT_EQ(w().cursor, ui::Cursor::Default);
}

TEST_F(Locate, NoSecondLocateWhileOneWalks) {
  sys.fakeProcesses.running.push_back({600, "explorer.exe", "explorer.exe"});
  open();
  bool offered = true, ran = true;
  backend.post([&] {
    click(w().Label1);  // back to the processes, with the walk still on its way out
    select(rowOf("explorer.exe"));
    offered = w().PopupMenu1.item("TerminateandLocatethisfile1")->enabled;
    ran = w().PopupMenu1.choose("TerminateandLocatethisfile1");
  });
  locateNotepad();
  EXPECT_FALSE(offered);
  EXPECT_FALSE(ran);
  EXPECT_EQ(sys.fakeProcesses.terminated, (std::vector<uint32_t>{512}));
  select(rowOf("explorer.exe"));
  EXPECT_TRUE(w().PopupMenu1.item("TerminateandLocatethisfile1")->enabled);
}

TEST_F(Locate, DeleteFileAsksAndKeepsWhatCannotGo) {
  sys.fakeFiles.addFile("C:\\Locked\\notepad.exe", "n", platform::kAttrReadOnly);
  open();
  locateNotepad();
  ASSERT_TRUE(deleteLocated("C:\\Backup\\Old\\NOTEPAD.EXE", ui::kIdNo));
  EXPECT_EQ(backend.boxes.back().caption, "Delete file");
  EXPECT_EQ(backend.boxes.back().text, "Are you sure you want to delete the file \"NOTEPAD.EXE\"?");
  EXPECT_TRUE(sys.fakeFiles.fileExists("C:\\Backup\\Old\\NOTEPAD.EXE"));
  backend.boxAnswers = {ui::kIdYes};
  ASSERT_TRUE(w().PopupMenu1.choose("Deletefile1"));
  EXPECT_FALSE(sys.fakeFiles.fileExists("C:\\Backup\\Old\\NOTEPAD.EXE"));
  EXPECT_EQ(rowOf("C:\\Backup\\Old\\NOTEPAD.EXE"), -1);

  ASSERT_TRUE(deleteLocated("C:\\Locked\\notepad.exe", ui::kIdYes));
  EXPECT_EQ(backend.boxes.back().text, "The file \"notepad.exe\" could not be deleted.");
  EXPECT_NE(rowOf("C:\\Locked\\notepad.exe"), -1);
}

// Under Wine a link to a file lists as a plain file, and deleting it by name deletes its target.
TEST_F(Locate, ALinkToAFileOffTheDriveIsNotDeletedThroughIt) {
  sys.fakeFiles.addDir("D:\\mine");
  sys.fakeFiles.addFile("D:\\mine\\thesis.doc", "mine");
  sys.fakeFiles.addDir("C:\\Links");
  sys.fakeFiles.addFileLink("C:\\Links\\notepad.exe", "D:\\mine\\thesis.doc");
  open();
  locateNotepad();
  ASSERT_TRUE(deleteLocated("C:\\Links\\notepad.exe", ui::kIdYes));
  EXPECT_EQ(backend.boxes.back().text, "The file \"notepad.exe\" could not be deleted.");
  EXPECT_EQ(sys.fakeFiles.readFile("D:\\mine\\thesis.doc", 100), "mine");
}

// The drive that was searched holds the user's documents too: a located copy that is a link to
// one of them is no licence to delete it.
TEST_F(Locate, ALinkToADocumentOnTheSameDriveIsNotDeletedThroughIt) {
  sys.fakeFiles.addDir("C:\\users\\me");
  sys.fakeFiles.addFile("C:\\users\\me\\letter.doc", "mine");
  sys.fakeFiles.addDir("C:\\Links");
  sys.fakeFiles.addFileLink("C:\\Links\\notepad.exe", "C:\\users\\me\\letter.doc");
  open();
  locateNotepad();
  ASSERT_TRUE(deleteLocated("C:\\Links\\notepad.exe", ui::kIdYes));
  EXPECT_EQ(backend.boxes.back().text, "The file \"notepad.exe\" could not be deleted.");
  EXPECT_EQ(sys.fakeFiles.readFile("C:\\users\\me\\letter.doc", 100), "mine");
}

TEST_F(ProcessWindow, TheReportCoversTheListAndIsBuiltAfresh) {
  sys.fakeRegistry
      .create(platform::RegRoot::CurrentUser, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run")
      ->writeString("tray", "t.exe");
  open();
  click(w().Label5);
  EXPECT_TRUE(w().Panel1.visible());
  EXPECT_TRUE(w().Memo1.showing());
  EXPECT_FALSE(w().ListView1.visible());
  EXPECT_FALSE(w().Label7.visible());
  EXPECT_EQ(w().Label6.caption(), "Log Running Processes");
  EXPECT_EQ(w().Image1.top(), 90);
  const std::string rule(55, '-');
  const std::string report = "Running Processes:\r\n" + rule +
                             "\r\n<unknown>\r\nexplorer.exe\r\nnotepad.exe\r\n\r\n" +
                             "Registry Run Values:\r\n" + rule + "\r\nHKEY_CURRENT_USER  Run  tray";
  EXPECT_EQ(w().Memo1.text(), report);
  click(w().Label5);
  EXPECT_EQ(w().Memo1.text(), report);
  click(w().Label1);
  EXPECT_FALSE(w().Panel1.visible());
  EXPECT_TRUE(w().ListView1.visible());
  EXPECT_TRUE(w().Label7.visible());
  EXPECT_EQ(w().ListView1.rowCount(), 3);
}

// The page is the Windows section; a failure names the forum, as every forum link's does.
TEST_F(ProcessWindow, TheForumLinkOpensTheWindowsSectionAndAFailureNamesTheForum) {
  sys.fakeShell.executeFails = true;
  open();
  click(w().Label9);
  ASSERT_EQ(sys.fakeShell.requests.size(), 1u);
  EXPECT_EQ(sys.fakeShell.requests[0].target,
            "http://community.orvanta.example/forum/f23-windows-technical-support.html");
  ASSERT_EQ(backend.boxes.size(), 1u);
  EXPECT_EQ(backend.boxes[0].text,
            "Orvanta Kestrel could not open the url http://community.orvanta.example/forum/");
}

TEST_F(ProcessWindow, DoubleClickShowsTheWindowsFolderAndClosingEmptiesEverything) {
  open();
  w().ListView1.onDblClick();
  EXPECT_TRUE(app->SearchFrm->visible());
  EXPECT_EQ(app->SearchFrm->FolderPath, "C:\\WINDOWS\\");
  click(w().Label5);
  app->qex_ulm_frm->show();
  app->qex_ulm_frm->Timer2.stop();
  w().close();
  EXPECT_EQ(w().Memo1.text(), "");
  EXPECT_EQ(w().ListView1.rowCount(), 0);
  EXPECT_TRUE(app->qex_ulm_frm->Timer2.enabled());
}

}  // namespace
