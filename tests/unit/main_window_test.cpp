// The main window on fakes: start-up paths, the dashboard against the fake machine, hover
// latches and check pictures, the forum links, closing to the tray and quitting.
#include <gtest/gtest.h>

#include "app/aboutfrm.h"
#include "app/qex_ulm_frm.h"
#include "app/startup.h"
#include "cleanup/deletefrm.h"
#include "online/qextodayfrm.h"
#include "scan/deepscanfrm.h"
#include "tests/unit/app_fixture.h"

namespace {

using platform::RegRoot;
using testing_app::AppTest;

struct MainWindow : AppTest {
  Tqex_ulm_frm& main() { return *app->qex_ulm_frm; }
  void paint(ui::Form& f) {
    ui::Bitmap b(f.clientWidth(), f.clientHeight());
    ui::Canvas c(b);
    f.paintClient(c);
  }
  void startShown() {
    sys.fakeFiles.addFile("C:\\Program Files\\Orvanta\\qexsys.ini", "[System]\r\nNews=0\r\n");
    start();
    main().show();
    paint(main());
  }
  void move(ui::Control& c) { c.form().mouseMove(c.left() + 1, c.top() + 1); }
  void click(ui::Control& c) {
    move(c);
    c.form().mouseDown(c.left() + 1, c.top() + 1);
    c.form().mouseUp(c.left() + 1, c.top() + 1);
  }
  void background() { main().mouseMove(699, 449); }
};

TEST_F(MainWindow, MissingSkinWarnsEndsAndMakesNoWindow) {
  sys.fakeLibraries = platform::fake::FakeLibraries();
  start();
  ASSERT_EQ(backend.boxes.size(), 1u);
  EXPECT_EQ(backend.boxes[0].text, "An error occured when trying to locate the file 'ulmres.dll'.");
  EXPECT_EQ(backend.boxes[0].caption, "Orvanta Kestrel");
  EXPECT_TRUE(ui.terminated());
  EXPECT_TRUE(ui.forms().empty());
  app->run();  // returns at once
}

// Outside requests are answered only while every form is whole: the main form is listed as
// soon as its base exists, before its controls and the other forms are made.
TEST_F(MainWindow, FormsAreReadyOnlyBetweenBuildingAndTearingDown) {
  EXPECT_FALSE(ui.formsReady());
  start();
  EXPECT_TRUE(ui.formsReady());
  EXPECT_NE(main().findControl("Image4"), nullptr);
  app.reset();
  EXPECT_FALSE(ui.formsReady());

  sys.fakeLibraries = platform::fake::FakeLibraries();
  start();
  EXPECT_FALSE(ui.formsReady());
}

TEST_F(MainWindow, SecondCopyEndsWithoutAWord) {
  auto first = sys.sync().createMutex(app::kInstanceMutex);
  EXPECT_EQ(app::runProgram(sys, ui), 0);
  EXPECT_TRUE(ui.forms().empty());
  EXPECT_TRUE(backend.boxes.empty());
}

TEST_F(MainWindow, MonitorArgumentSendsTheWindowToTheTrayAtTheFirstPainting) {
  sys.fakeSystem.args = {"-monitor"};
  startShown();
  EXPECT_FALSE(main().visible());
  EXPECT_TRUE(ui.tray().present);
  EXPECT_FALSE(main().Timer1.enabled());
  main().show();
  paint(main());  // later paintings draw normally
  EXPECT_TRUE(main().visible());
}

TEST_F(MainWindow, NewsDoesNotOpenByItselfForAWindowSentToTheTray) {
  sys.fakeSystem.args = {"-monitor"};
  start();
  main().show();
  paint(main());
  backend.advance(20);
  EXPECT_FALSE(app->qextodayfrm->visible());
}

TEST_F(MainWindow, ScanArgumentOpensTheScanWithAutoClose) {
  sys.fakeSystem.args = {"-scan"};
  startShown();
  EXPECT_FALSE(main().visible());
  EXPECT_TRUE(app->deepscanfrm->AutoClose);
  EXPECT_TRUE(app->deepscanfrm->visible());
}

TEST_F(MainWindow, DashboardReadsTheMachine) {
  sys.fakeSystem.memory = {96ull << 20, 32ull << 20};
  sys.fakeSystem.decimal = ',';
  sys.fakeSystem.drives['C'].space = platform::DiskSpace{80'030'000'000ULL, 20'000'000'000ULL};
  sys.fakeSystem.drives['C'].serial = 0xFFFFFFFEu;
  for (auto [pid, name] : {std::pair<uint32_t, const char*>{0, "[System Process]"}, {4, "System"}, {100, "explorer.exe"}}) {
    platform::fake::FakeProcess p;
    p.pid = pid;
    p.exeFile = name;
    sys.fakeProcesses.running.push_back(p);
  }
  sys.fakeRegistry.create(RegRoot::CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer")
      ->writeString("Logon User Name", "ann");
  startShown();
  EXPECT_EQ(main().Label3.caption(), "Running Processes: 2");
  EXPECT_EQ(main().Label7.caption(), "Free space on C: is 20,00 GB");
  EXPECT_EQ(main().ProgressBar.hint, "Serial number: -2");
  EXPECT_EQ(main().Label1.caption(), "Windows user: ann");
  EXPECT_EQ(main().Label2.caption(), "C:\\WINDOWS");
  EXPECT_EQ(main().Image8.pictureName(), "os_xp");
  // 60 of 80 whole gigabytes used: 75 % of the 177-pixel bar is filled.
  const ui::Bitmap& bar = main().ProgressBar.picture();
  EXPECT_EQ(bar.pixel(2 + 130, 8), ui::rgb(175, 203, 240));
  EXPECT_EQ(bar.pixel(2 + 133, 8), ui::kWhite);
  backend.advance(10);
  EXPECT_EQ(main().ProgressBar1, 66);
  EXPECT_EQ(main().Image9.width(), 132);
  EXPECT_EQ(main().Image9.pictureName(), "mem_2");
  EXPECT_EQ(main().Image10.left(), 614);  // "97 MB"
  EXPECT_EQ(main().Image12.left(), 620);  // "66 MB"
}

// The program is up while the system still tries the connection test's address; the badge
// follows when it answers, and an answer after the program's end goes nowhere.
TEST_F(MainWindow, ConnectionBadgeWaitsForTheAnswerWithoutHoldingTheWindow) {
  sys.fakeNet.holdChecks = true;
  sys.fakeNet.reachable = true;
  startShown();
  EXPECT_EQ(sys.fakeNet.checkedUrls, std::vector<std::string>{app->config.connectionTest});
  EXPECT_EQ(main().Image1.pictureName(), "");
  sys.fakeNet.answerHeld();
  ui.processMessages();
  EXPECT_EQ(main().Image1.pictureName(), "online");

  app.reset();
  start();
  ui.processMessages();
  app.reset();
  sys.fakeNet.answerHeld();
  ui.processMessages();
}

TEST_F(MainWindow, MemoryDigitsAreTheSkinGlyphs) {
  sys.fakeSystem.memory = {96ull << 20, 32ull << 20};
  startShown();
  backend.advance(10);
  // "97 MB": the first cell of the total holds the glyph of 9.
  const ui::Bitmap glyph = app->skin().bitmap("digit_9");
  const ui::Bitmap& cells = main().Image10.picture();
  for (int y = 0; y < glyph.height(); ++y)
    for (int x = 0; x < 6; ++x) ASSERT_EQ(cells.pixel(7 + x, y), glyph.pixel(x, y)) << x << "," << y;
}

TEST_F(MainWindow, UserLineFallsBackOnTheAccountNameWithoutALogonName) {
  startShown();
  EXPECT_EQ(main().Label1.caption(), "Windows user: Owner");
}

TEST_F(MainWindow, OperatingSystemsGetTheirBadgesAndFolders) {
  sys.fakeRegistry.create(RegRoot::CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders")
      ->writeString("Local Settings", "C:\\Documents and Settings\\ann\\Local Settings");
  sys.fakeSystem.version = {5, 0, 2195, 2, "Service Pack 4"};
  startShown();
  EXPECT_EQ(main().Image8.pictureName(), "os_2000");
}

TEST_F(MainWindow, InstallPathIsFilledInOnlyWhereTheProductKeyExists) {
  startShown();
  EXPECT_EQ(sys.fakeRegistry.open(RegRoot::LocalMachine, "Software\\Orvanta Works\\Orvanta Kestrel",
                                  platform::RegAccess::Read),
            nullptr);
  main().hide();
  sys.fakeRegistry.create(RegRoot::LocalMachine, "Software\\Orvanta Works\\Orvanta Kestrel");
  main().show();
  auto key = sys.fakeRegistry.open(RegRoot::LocalMachine, "Software\\Orvanta Works\\Orvanta Kestrel",
                                   platform::RegAccess::Read);
  EXPECT_EQ(key->readString("InstallPath"), "C:\\Program Files\\Orvanta\\");
}

TEST_F(MainWindow, LargeButtonsLightOneAtATimeUntilTheMouseCrossesTheBackground) {
  startShown();
  move(main().Image2);
  EXPECT_EQ(main().Image2.pictureName(), "delete_btn_2");
  move(main().Image3);
  EXPECT_EQ(main().Image3.pictureName(), "reg_btn_1");
  background();
  EXPECT_EQ(main().Image2.pictureName(), "delete_btn_1");
  move(main().Image3);
  EXPECT_EQ(main().Image3.pictureName(), "reg_btn_2");
}

TEST_F(MainWindow, CleanerButtonOpensTheCleanerAndStopsBothTimers) {
  startShown();
  ASSERT_TRUE(main().Timer1.enabled());
  click(main().Image2);
  EXPECT_TRUE(app->deletefrm->visible());
  EXPECT_FALSE(main().Timer1.enabled());
  EXPECT_FALSE(main().Timer2.enabled());
  EXPECT_EQ(main().Image2.pictureName(), "delete_btn_2");
}

TEST_F(MainWindow, CheckPicturesFollowTheirStatesAndClicksChangeTheChoice) {
  sys.fakeRegistry.create(RegRoot::LocalMachine, "SOFTWARE\\Symantec\\Norton AntiVirus\\Quarantine")
      ->writeString("QuarantinePath", "C:\\Quarantine");
  sys.fakeFiles.addFile("C:\\Program Files\\Orvanta\\qexsys.ini", "[System]\r\nNews=0\r\nRecycle=1\r\n");
  start();
  main().show();
  EXPECT_EQ(main().Image5.pictureName(), "clear_chk");
  EXPECT_EQ(main().Image6.pictureName(), "empty_uchk");
  EXPECT_EQ(main().Image7.pictureName(), "norton_chk");
  click(main().Image5);  // included, straight after start: the click excludes it
  EXPECT_EQ(main().Image5.pictureName(), "clear_uchk_over");
  EXPECT_TRUE(main().excludeTemporary);
  move(main().Image6);
  EXPECT_EQ(main().Image6.pictureName(), "empty_uchk_over");
  background();
  EXPECT_EQ(main().Image6.pictureName(), "empty_uchk");
  click(main().Image6);
  EXPECT_EQ(main().Image6.pictureName(), "empty_chk_over");
  EXPECT_FALSE(main().excludeRecycle);
  background();
  EXPECT_EQ(main().Image6.pictureName(), "empty_chk");
  // Included and away: a click that comes without a move over the item does nothing.
  main().mouseDown(main().Image6.left() + 1, main().Image6.top() + 1);
  main().mouseUp(main().Image6.left() + 1, main().Image6.top() + 1);
  EXPECT_EQ(main().Image6.pictureName(), "empty_chk");
  EXPECT_FALSE(main().excludeRecycle);
}

TEST_F(MainWindow, NortonItemIsOffWithoutAQuarantineFolder) {
  sys.fakeRegistry.create(RegRoot::LocalMachine, "SOFTWARE\\Symantec\\Norton AntiVirus\\Quarantine");
  startShown();
  EXPECT_EQ(main().Image7.pictureName(), "norton_ui");
  EXPECT_TRUE(main().excludeNorton);
  click(main().Image7);
  EXPECT_EQ(main().Image7.pictureName(), "norton_ui");
}

TEST_F(MainWindow, FolderLinkCountsEntriesWithoutTheDotEntries) {
  sys.fakeFiles.addFile("C:\\WINDOWS\\a.txt");
  sys.fakeFiles.addDir("C:\\WINDOWS\\sub");
  startShown();
  const auto before = main().Label9.caption();
  click(main().Label2);
  // TEMP, a.txt and sub.
  EXPECT_EQ(main().Label9.caption(), "3 Files & Folders were found inside C:\\WINDOWS");
  EXPECT_NE(before, main().Label9.caption());
  click(main().Image28);
  ASSERT_FALSE(sys.fakeShell.requests.empty());
  EXPECT_EQ(sys.fakeShell.requests.back().target, "C:\\WINDOWS\\");
}

TEST_F(MainWindow, ForumLinksByMemberState) {
  startShown();
  EXPECT_EQ(main().Image21.left(), 257);
  EXPECT_EQ(main().Image21.pictureName(), "online_1");
  click(main().Image21);
  EXPECT_EQ(sys.fakeShell.requests.back().target, "http://community.orvanta.example/forum/online.php?");
  click(main().Image17);
  EXPECT_TRUE(app->loginfrm != nullptr);

  main().storedUser = "ann";
  main().hide();
  main().show();
  EXPECT_EQ(main().Image21.left(), 299);
  EXPECT_EQ(main().Image17.pictureName(), "logout_1");
  background();
  click(main().Image19);
  EXPECT_TRUE(shown("You need to be logged in through your default browser,\nbefore you can chat with forum members or our support team."));
}

TEST_F(MainWindow, LoggingOutOfTheProgramsOwnLoginNeedsNoCookie) {
  startShown();
  main().memberFlag = main().dialogLogin = true;
  main().placeForumLinks();
  click(main().Image17);
  EXPECT_FALSE(main().memberFlag);
  EXPECT_FALSE(main().dialogLogin);
  EXPECT_EQ(main().Image17.pictureName(), "login_1");
  EXPECT_TRUE(backend.boxes.empty());
}

TEST_F(MainWindow, FailedWebAddressWarnsWithTheForumText) {
  sys.fakeShell.executeFails = true;
  startShown();
  click(main().Image21);
  ASSERT_EQ(backend.boxes.size(), 1u);
  EXPECT_EQ(backend.boxes[0].text, "Orvanta Kestrel could not open the url http://community.orvanta.example/forum/");
  EXPECT_EQ(backend.boxes[0].caption, "Orvanta Kestrel");
}

TEST_F(MainWindow, ClosingGoesToTheTrayAndQuitKeepsTheChoices) {
  startShown();
  main().close();
  EXPECT_FALSE(main().visible());
  EXPECT_FALSE(main().Timer2.enabled());
  EXPECT_TRUE(ui.tray().present);
  static_cast<ui::Form&>(main()).FormTrayMessage(ui::TrayEvent::RightButtonUp);
  ASSERT_EQ(backend.popups.size(), 1u);
  EXPECT_EQ(backend.popups[0].menu, "PopupMenu1");
  EXPECT_FALSE(main().visible());
  static_cast<ui::Form&>(main()).FormTrayMessage(ui::TrayEvent::DoubleClick);
  EXPECT_TRUE(main().visible());
  main().excludeRecycle = true;
  EXPECT_TRUE(main().PopupMenu1.choose("Quit1"));
  EXPECT_TRUE(ui.terminated());
  app->run();
  EXPECT_NE(ini().find("Temporary=0\r\nRecycle=1\r\nNorton=1"), std::string::npos) << ini();
}

// Windows may end the process as soon as the end of the session is handled: the choices are
// kept and the tray icon goes then, not after the message loop.
TEST_F(MainWindow, LoggingOffKeepsTheChoicesAndLeavesTheTrayAtOnce) {
  startShown();
  main().close();
  main().excludeNorton = true;
  ui.endSession();
  EXPECT_TRUE(ui.terminated());
  EXPECT_FALSE(ui.tray().present);
  EXPECT_NE(ini().find("Temporary=0\r\nRecycle=0\r\nNorton=1"), std::string::npos) << ini();
  main().excludeNorton = false;
  ui.endSession();  // once only
  EXPECT_NE(ini().find("Norton=1"), std::string::npos) << ini();
}

// Escape and Enter as in every Windows dialog, wherever the focus is.
TEST_F(MainWindow, EscapeClosesEveryDialogAndToolWindowButTheDashboard) {
  startShown();
  EXPECT_TRUE(main().dialogKey(ui::Form::kKeyEscape));
  EXPECT_TRUE(main().visible());
  for (ui::Form* form : ui.forms()) {
    if (form->name() == "qex_ulm_frm" || form->name() == "notifyfrm") continue;
    form->show();
    ASSERT_TRUE(form->visible()) << form->name();
    form->dialogKey(ui::Form::kKeyEscape);
    EXPECT_FALSE(form->visible()) << form->name();
  }
  EXPECT_FALSE(main().dialogKey('A'));
}

TEST_F(MainWindow, ARefusedSettingsWriteAtQuitIsShownAndTheProgramEnds) {
  startShown();
  sys.fakeFiles.addFile("C:\\Program Files\\Orvanta\\qexsys.ini", "[System]\r\n", platform::kAttrReadOnly);
  main().PopupMenu1.choose("Quit1");
  app->run();
  ASSERT_EQ(backend.boxes.size(), 1u);
  EXPECT_NE(backend.boxes[0].text.find("could not write \"C:\\Program Files\\Orvanta\\qexsys.ini\""),
            std::string::npos);
}

TEST_F(MainWindow, TrayMenuOrderAndDefault) {
  startShown();
  std::vector<std::string> names;
  for (const auto& i : main().PopupMenu1.items()) names.push_back(i.separator ? "-" : i.name);
  EXPECT_EQ(names, (std::vector<std::string>{"SystemScan1", "-", "DeleteTemporaryFiles1", "ManageWindowsStartup1",
                                             "DetectRunningProcesses1", "-", "Preferences1", "AboutKestrel1",
                                             "Helpmanual1", "-", "QEXToday1", "Donatetothissoftware1", "-", "Quit1"}));
  EXPECT_TRUE(main().PopupMenu1.items()[0].isDefault);
  main().PopupMenu1.choose("Helpmanual1");  // no help file: nothing happens
  EXPECT_TRUE(sys.fakeShell.requests.empty());
}

TEST_F(MainWindow, NewsOpensAtStartUnlessSwitchedOff) {
  start();
  main().show();
  EXPECT_TRUE(main().Timer4.enabled());
  backend.advance(10);
  EXPECT_FALSE(main().Timer4.enabled());
  EXPECT_TRUE(app->qextodayfrm->visible());
  EXPECT_TRUE(app->qextodayfrm->modal());
}

struct AboutWindow : MainWindow {
  Taboutfrm& about() { return *app->aboutfrm; }
};

TEST_F(AboutWindow, LinksShareTheLatchWithTheCloseButton) {
  startShown();
  about().show();
  move(about().Label6);
  EXPECT_TRUE(about().Label6.font().underline);
  move(about().Label11);
  EXPECT_FALSE(about().Label11.font().underline);
  about().mouseMove(5, 5);
  EXPECT_FALSE(about().Label6.font().underline);
  move(about().Label1);
  EXPECT_EQ(about().Image1.pictureName(), "stand_btn_2");
  about().mouseDown(about().Label1.left() + 1, about().Label1.top() + 1);
  EXPECT_EQ(about().Image1.pictureName(), "stand_btn_3");
  about().mouseUp(about().Label1.left() + 1, about().Label1.top() + 1);
  EXPECT_EQ(about().Image1.pictureName(), "stand_btn_1");
  EXPECT_FALSE(about().visible());
}

TEST_F(AboutWindow, OnlyTheFirstPartnersLinkFailsQuietly) {
  sys.fakeShell.executeFails = true;
  startShown();
  about().show();
  click(about().Label7);
  EXPECT_TRUE(backend.boxes.empty());
  click(about().Label11);
  ASSERT_EQ(backend.boxes.size(), 1u);
  EXPECT_EQ(backend.boxes[0].text, "Orvanta Kestrel could not open the url http://www.lumetra.example/");
}

}  // namespace
