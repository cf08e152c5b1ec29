// The Startup Wizard on fakes: both sections, the rows and their roots and labels, the count
// lines, deleting with the questions asked, failures kept in view, and clicks that arrive while
// the Startup folder is listed.
#include <gtest/gtest.h>

#include "app/qex_ulm_frm.h"
#include "cleanup/searchfrm.h"
#include "startup/startfrm.h"
#include "tests/unit/app_fixture.h"
#include "ui/dialogs.h"

namespace {

using platform::RegRoot;
using testing_app::AppTest;

const char* const kRunPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\";
const char* const kStartup = "C:\\Documents and Settings\\All Users\\Start Menu\\Programs\\Startup";

struct StartupWindow : AppTest {
  Tstartfrm& w() { return *app->startfrm; }
  void run(RegRoot root, const std::string& key, const std::string& name, const std::string& data) {
    ASSERT_TRUE(sys.fakeRegistry.create(root, kRunPath + key)->writeString(name, data));
  }
  void startupFolder(const std::string& folder) {
    sys.fakeRegistry
        .create(RegRoot::LocalMachine, std::string(kRunPath) + "Explorer\\Shell Folders")
        ->writeString("Common Startup", folder);
  }
  void open() {
    start();
    w().show();
  }
  void select(int row) {
    w().ListView1.select(row);
    w().ListView1.userSelected(row);
  }
  // Delete on the row, the question answered.
  void deleteRow(int row, int answer) {
    select(row);
    backend.boxAnswers = {answer};
    click(w().Image2);
  }
  std::vector<std::string> captions() {
    std::vector<std::string> out;
    for (const auto& r : w().ListView1.rows()) out.push_back(r.caption);
    return out;
  }
  bool hasValue(RegRoot root, const std::string& key, const std::string& name) {
    auto k = sys.fakeRegistry.open(root, kRunPath + key, platform::RegAccess::Read);
    return k && k->read(name);
  }
};

TEST_F(StartupWindow, ShowListsTheRunValuesWithTheirRootsAndLabels) {
  run(RegRoot::CurrentUser, "Run", "tray", "c:\\tray.exe");
  run(RegRoot::LocalMachine, "RunServices", "svc", "c:\\svc.exe");
  run(RegRoot::LocalMachine, "Run", "", "c:\\default.exe");
  open();
  EXPECT_EQ(w().Label5.caption(), "Windows Registry");
  EXPECT_EQ(w().Image1.top(), 58);
  EXPECT_EQ(captions(), (std::vector<std::string>{"", "svc", "tray"}));
  EXPECT_EQ(w().ListView1.rows()[1].subItems, (std::vector<std::string>{"c:\\svc.exe"}));
  EXPECT_EQ(w().RowRoots, (std::vector<std::string>{"HKEY_LOCAL_MACHINE", "HKEY_LOCAL_MACHINE",
                                                    "HKEY_CURRENT_USER"}));
  EXPECT_EQ(w().RowKeyLabels, (std::vector<std::string>{"Run", "RunServices", "Run"}));
  EXPECT_EQ(w().Label4.caption(), "3 startup objects were found inside the registry.");
  EXPECT_EQ(w().ListView1.columns()[1].width, 202);
  EXPECT_FALSE(w().Image2.enabled());
  select(2);
  EXPECT_EQ(w().Label9.caption(), "HKEY_CURRENT_USER\ntray");
  EXPECT_TRUE(w().Image2.enabled());
  EXPECT_TRUE(w().PopupMenu1.item("Deleteitem1")->enabled);
  EXPECT_FALSE(w().PopupMenu1.item("Viewfolder1")->enabled);
}

TEST_F(StartupWindow, OneRowKeepsThePluralAndSevenRowsNarrowThePath) {
  run(RegRoot::CurrentUser, "Run", "only", "x");
  open();
  EXPECT_EQ(w().Label4.caption(), "1 startup objects were found inside the registry.");
  for (int i = 0; i < 6; ++i) run(RegRoot::CurrentUser, "RunOnce", "v" + std::to_string(i), "x");
  click(w().Label1);
  EXPECT_EQ(w().ListView1.rowCount(), 7);
  EXPECT_EQ(w().ListView1.columns()[1].width, 184);
}

TEST_F(StartupWindow, ANonTextValueIsReportedOnceAndTheRestIsListed) {
  run(RegRoot::LocalMachine, "Run", "a", "a.exe");
  sys.fakeRegistry.create(RegRoot::LocalMachine, std::string(kRunPath) + "Run")
      ->write("b", platform::RegValue{platform::kRegDword, std::string("\x05\0\0\0", 4)});
  sys.fakeRegistry.create(RegRoot::CurrentUser, std::string(kRunPath) + "Run")
      ->write("bin", platform::RegValue{platform::kRegBinary, "\x01\x02"});
  run(RegRoot::LocalMachine, "Run", "c", "c.exe");
  open();
  EXPECT_EQ(captions(), (std::vector<std::string>{"a", "c"}));
  EXPECT_EQ(w().Label4.caption(), "2 startup objects were found inside the registry.");
  ASSERT_EQ(backend.boxes.size(), 1u);
  EXPECT_EQ(backend.boxes[0].text, "Invalid data type for 'b'.");
}

TEST_F(StartupWindow, DeletingAskYesRemovesExactlyThatValue) {
  run(RegRoot::LocalMachine, "Run", "same", "m.exe");
  run(RegRoot::CurrentUser, "Run", "same", "u.exe");
  run(RegRoot::CurrentUser, "RunOnce", "next", "n.exe");
  open();
  deleteRow(1, ui::kIdNo);
  ASSERT_EQ(backend.boxes.size(), 1u);
  EXPECT_EQ(backend.boxes[0].caption, "Delete Registry Value");
  EXPECT_EQ(backend.boxes[0].flags, ui::kMbYesNo | ui::kMbIconWarning);
  EXPECT_EQ(
      backend.boxes[0].text,
      "WARNING!\n\nPlease make absolutely sure the value you are deleting is the correct value.\n"
      "Are you sure you want to delete the value \"HKEY_CURRENT_USER->Run->same\"?");
  EXPECT_EQ(w().ListView1.rowCount(), 3);
  EXPECT_TRUE(hasValue(RegRoot::CurrentUser, "Run", "same"));
  EXPECT_FALSE(w().Image2.enabled());

  select(1);
  backend.boxAnswers = {ui::kIdYes};
  ASSERT_TRUE(w().PopupMenu1.choose("Deleteitem1"));
  EXPECT_FALSE(hasValue(RegRoot::CurrentUser, "Run", "same"));
  EXPECT_TRUE(hasValue(RegRoot::LocalMachine, "Run", "same"));
  EXPECT_EQ(captions(), (std::vector<std::string>{"same", "next"}));
  EXPECT_EQ(w().RowKeyLabels, (std::vector<std::string>{"Run", "RunOnce"}));
  EXPECT_EQ(w().Label4.caption(), "2 startup objects were found inside the registry.");
  EXPECT_EQ(w().Label9.caption(), "");

  // The row that moved up carries its own root and label.
  deleteRow(1, ui::kIdYes);
  EXPECT_NE(backend.boxes.back().text.find("\"HKEY_CURRENT_USER->RunOnce->next\""),
            std::string::npos);
  EXPECT_FALSE(hasValue(RegRoot::CurrentUser, "RunOnce", "next"));
}

TEST_F(StartupWindow, AValueThatStaysKeepsItsRowAndTheUserIsTold) {
  run(RegRoot::LocalMachine, "Run", "kept", "k.exe");
  open();
  sys.fakeRegistry.refuse(RegRoot::LocalMachine, std::string(kRunPath) + "Run",
                          platform::RegAccess::AllAccess);
  deleteRow(0, ui::kIdYes);
  ASSERT_EQ(backend.boxes.size(), 2u);
  // A key the user may only read: the value stays, and the box says what it takes.
  EXPECT_EQ(backend.boxes[1].text,
            "The value \"HKEY_LOCAL_MACHINE->Run->kept\" could not be removed: only an "
            "administrator may change this key. Start Orvanta Kestrel as an administrator to "
            "remove it.");
  EXPECT_EQ(backend.boxes[1].flags, ui::kMbOk | ui::kMbIconWarning);
  EXPECT_EQ(captions(), (std::vector<std::string>{"kept"}));
  EXPECT_EQ(w().RowRoots.size(), 1u);
}

// A value of the 32-bit view says so in the list, in the details and in the question, and goes
// from that view alone.
TEST_F(StartupWindow, OnSixtyFourBitWindowsTheOtherViewsRowsSaySo) {
  sys.fakeRegistry.sixtyFourBitWindows = true;
  run(RegRoot::LocalMachine, "Run", "same", "64.exe");
  sys.fakeRegistry
      .create(RegRoot::LocalMachine, "SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Run")
      ->writeString("same", "32.exe");
  open();
  EXPECT_EQ(captions(), (std::vector<std::string>{"same", "same (32-bit)"}));
  EXPECT_EQ(w().Label4.caption(), "2 startup objects were found inside the registry.");
  w().ListView1.userSelected(1);
  EXPECT_EQ(w().Label9.caption(), "HKEY_LOCAL_MACHINE\nsame (32-bit)");
  deleteRow(1, ui::kIdYes);
  EXPECT_NE(backend.boxes[0].text.find("\"HKEY_LOCAL_MACHINE->Run (32-bit)->same\"?"),
            std::string::npos)
      << backend.boxes[0].text;
  EXPECT_EQ(captions(), (std::vector<std::string>{"same"}));
  auto own = sys.fakeRegistry.open(RegRoot::LocalMachine, std::string(kRunPath) + "Run",
                                   platform::RegAccess::Read);
  EXPECT_EQ(own->readString("same"), "64.exe");
}

struct StartupFolderSection : StartupWindow {
  void SetUp() override {
    startupFolder(kStartup);
    sys.fakeFiles.addDir(kStartup);
  }
  std::string file(const std::string& name) { return std::string(kStartup) + "\\" + name; }
};

TEST_F(StartupFolderSection, FilesAreListedWithoutDesktopIniAndFolders) {
  sys.fakeFiles.addFile(file("desktop.ini"));
  sys.fakeFiles.addDir(file("Sub"));
  open();
  click(w().Label2);
  EXPECT_EQ(w().Label5.caption(), "Windows Startup");
  EXPECT_EQ(w().Image1.top(), 90);
  EXPECT_EQ(w().StartupFolder, kStartup);
  EXPECT_EQ(w().ListView1.rowCount(), 0);
  EXPECT_EQ(w().Label4.caption(), "There were no links detected inside the Startup folder.");

  sys.fakeFiles.addFile(file("one.lnk"));
  click(w().Label2);
  EXPECT_EQ(w().Label4.caption(), "1 link was detected inside the Startup folder.");
  sys.fakeFiles.addFile(file("two.lnk"));
  click(w().Label2);
  EXPECT_EQ(w().Label4.caption(), "2 links were detected inside the Startup folder.");
  EXPECT_EQ(captions(), (std::vector<std::string>{"one.lnk", "two.lnk"}));
  EXPECT_EQ(w().ListView1.rows()[0].subItems, (std::vector<std::string>{kStartup}));
  select(1);
  EXPECT_EQ(w().Label9.caption(), "Windows Link\ntwo.lnk");
  EXPECT_TRUE(w().PopupMenu1.item("Viewfolder1")->enabled);
}

TEST_F(StartupFolderSection, DeletingALinkRemovesThatFileOnly) {
  sys.fakeFiles.addFile(file("a.lnk"));
  sys.fakeFiles.addFile(file("b.lnk"));
  open();
  click(w().Label2);
  deleteRow(0, ui::kIdNo);
  EXPECT_EQ(backend.boxes.back().caption, "Delete Startup file");
  EXPECT_EQ(backend.boxes.back().text,
            "Are you sure you want to delete the startup file \"a.lnk\"?");
  EXPECT_TRUE(sys.fakeFiles.fileExists(file("a.lnk")));
  EXPECT_TRUE(w().Image2.enabled());  // No changes nothing

  backend.boxAnswers = {ui::kIdYes};
  click(w().Image2);
  EXPECT_FALSE(sys.fakeFiles.fileExists(file("a.lnk")));
  EXPECT_TRUE(sys.fakeFiles.fileExists(file("b.lnk")));
  EXPECT_EQ(captions(), (std::vector<std::string>{"b.lnk"}));
  EXPECT_EQ(w().Label4.caption(), "1 link was detected inside the Startup folder.");

  deleteRow(0, ui::kIdYes);
  EXPECT_EQ(w().Label4.caption(), "There were no links detected inside the Startup folder.");
}

// Under Wine a Unix link to a file lists as a plain file, and deleting it by name deletes its
// target: the user's document stays, and so does the row.
TEST_F(StartupFolderSection, AFileLinkToADocumentElsewhereIsNotDeletedThroughIt) {
  sys.fakeFiles.addFile("C:\\thesis.doc", "mine");
  sys.fakeFiles.addFileLink(file("c.lnk"), "C:\\thesis.doc");
  open();
  click(w().Label2);
  deleteRow(0, ui::kIdYes);
  EXPECT_EQ(backend.boxes.back().text, "The startup file \"c.lnk\" could not be deleted.");
  EXPECT_EQ(sys.fakeFiles.readFile("C:\\thesis.doc", 100), "mine");
  EXPECT_EQ(captions(), (std::vector<std::string>{"c.lnk"}));
}

TEST_F(StartupFolderSection, ALinkToAnotherEntryOfTheFolderTakesNeitherWithIt) {
  sys.fakeFiles.addFile(file("keep.lnk"), "kept");
  sys.fakeFiles.addFileLink(file("a.lnk"), file("keep.lnk"));
  open();
  click(w().Label2);
  deleteRow(0, ui::kIdYes);
  EXPECT_EQ(backend.boxes.back().text, "The startup file \"a.lnk\" could not be deleted.");
  EXPECT_EQ(sys.fakeFiles.readFile(file("keep.lnk"), 100), "kept");
  EXPECT_EQ(captions(), (std::vector<std::string>{"a.lnk", "keep.lnk"}));
}

TEST_F(StartupFolderSection, ALinkThatCannotBeDeletedStays) {
  sys.fakeFiles.addFile(file("locked.lnk"), "", platform::kAttrReadOnly);
  open();
  click(w().Label2);
  deleteRow(0, ui::kIdYes);
  EXPECT_EQ(backend.boxes.back().text, "The startup file \"locked.lnk\" could not be deleted.");
  EXPECT_EQ(captions(), (std::vector<std::string>{"locked.lnk"}));
  EXPECT_EQ(w().Label4.caption(), "1 link was detected inside the Startup folder.");
}

TEST_F(StartupFolderSection, AFolderValueThatIsNoFolderListsNothing) {
  sys.fakeFiles.addFile(file("a.lnk"));
  run(RegRoot::CurrentUser, "Run", "r", "r.exe");
  open();
  for (const std::string& value : {std::string(), file("a.lnk"), std::string("C:\\Nowhere")}) {
    startupFolder(value);
    click(w().Label2);
    EXPECT_EQ(w().ListView1.rowCount(), 0) << value;
    EXPECT_EQ(w().Label4.caption(), "1 startup objects were found inside the registry.") << value;
  }
}

TEST_F(StartupFolderSection, ARegistryClickWhileTheFolderIsListedEndsTheListing) {
  for (const char* name : {"a.lnk", "b.lnk", "c.lnk"}) sys.fakeFiles.addFile(file(name));
  run(RegRoot::CurrentUser, "Run", "r", "r.exe");
  open();
  // Runs at the first message processing of the folder listing.
  backend.post([this] { click(w().Label1); });
  click(w().Label2);
  EXPECT_EQ(w().Label5.caption(), "Windows Registry");
  EXPECT_EQ(captions(), (std::vector<std::string>{"r"}));
  EXPECT_EQ(w().RowRoots.size(), 1u);
  EXPECT_EQ(w().Label4.caption(), "1 startup objects were found inside the registry.");
}

TEST_F(StartupFolderSection, ViewFolderAndTheForumLink) {
  sys.fakeFiles.addFile(file("a.lnk"));
  open();
  click(w().Label2);
  select(0);
  w().ListView1.onDblClick();
  EXPECT_TRUE(app->SearchFrm->visible());
  EXPECT_EQ(app->SearchFrm->FolderPath, std::string(kStartup) + "\\");
  sys.fakeShell.executeFails = true;
  click(w().Label10);
  EXPECT_FALSE(w().Image2.enabled());
  ASSERT_FALSE(sys.fakeShell.requests.empty());
  EXPECT_EQ(sys.fakeShell.requests.back().target,
            "http://community.orvanta.example/forum/f23-windows-technical-support.html");
  // Like every forum link's, the failure names the forum, not the page.
  ASSERT_EQ(backend.boxes.size(), 1u);
  EXPECT_EQ(backend.boxes[0].text,
            "Orvanta Kestrel could not open the url http://community.orvanta.example/forum/");
}

TEST_F(StartupWindow, HoverUnderlinesALinkUntilTheMouseCrossesTheWindow) {
  open();
  EXPECT_EQ(w().Label2.cursor, ui::Cursor::Hand);
  w().mouseMove(w().Label2.left() + 1, w().Label2.top() + 1);
  EXPECT_TRUE(w().Label2.font().underline);
  w().mouseMove(400, 340);
  EXPECT_FALSE(w().Label2.font().underline);
}

TEST_F(StartupWindow, ClosingRestartsTheDashboardTimersOfAShownMainWindow) {
  open();
  app->qex_ulm_frm->show();
  app->qex_ulm_frm->Timer1.stop();
  app->qex_ulm_frm->Timer2.stop();
  w().close();
  EXPECT_TRUE(app->qex_ulm_frm->Timer1.enabled());
  EXPECT_TRUE(app->qex_ulm_frm->Timer2.enabled());
}

}  // namespace
