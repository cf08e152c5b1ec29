// The threat scan without its window, on the fakes: the phases in order with what each shows,
// finds and deletes, lines that must never reach beyond what they name, the ways a scan ends
// early, and a scan driven line by line.
#include "scan/scanrun.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/fake/fake_services.h"
#include "scan/scanphases.h"
#include "scan/scramble.h"

namespace {

using platform::RegAccess;
using platform::RegRoot;
using platform::RegValue;
using Events = std::vector<std::string>;

const char* const kProgramDir = "C:\\Program Files\\Orvanta\\";

// The window as the scan sees it: every call is written down.
struct Recorder : scan::ScanView {
  Events events;
  std::function<void()> onMessages;
  std::function<void()> onPause;
  bool stop = false;
  int stopChecks = 0;
  std::vector<std::string> errors;
  std::vector<scan::ScanView::End> ends;

  void showPhase(const std::string& caption) override { events.push_back("Label2=" + caption); }
  void showItem(const std::string& text, bool fit) override {
    events.push_back(std::string(fit ? "Label1~" : "Label1=") + text);
  }
  void showItemsScanned(const std::string& text) override { events.push_back("Label7=" + text); }
  void pause(uint32_t ms) override {
    events.push_back("pause " + std::to_string(ms));
    if (onPause) onPause();
  }
  void processMessages() override {
    events.push_back("messages");
    if (onMessages) onMessages();
  }
  bool stopRequested() override {
    ++stopChecks;
    return stop;
  }
  void fileFound(const std::string& path, int32_t files) override {
    events.push_back("file " + path + " Label8=" + std::to_string(files));
  }
  void keyFound(const std::string& caption, const std::string& state, int32_t keys) override {
    events.push_back("key " + caption + " " + state + " Label9=" + std::to_string(keys));
  }
  void detectionSound() override { events.push_back("sound"); }
  void listError(const std::string& message) override { errors.push_back(message); }
  void scanComplete(const End& end) override { ends.push_back(end); }
  void keyRemovedLater(int32_t row) override { events.push_back("removed row " + std::to_string(row)); }
  std::vector<std::string> questions;
  bool deleteWithoutBackup = false;
  std::vector<std::string> told;
  void tell(const std::string& message) override { told.push_back(message); }
  bool confirmDeleteWithoutBackup(const std::string& question) override {
    questions.push_back(question);
    return deleteWithoutBackup;
  }

  // The events of one kind, in order.
  Events only(const std::string& prefix) const {
    Events found;
    for (const auto& e : events)
      if (e.compare(0, prefix.size(), prefix) == 0) found.push_back(e);
    return found;
  }
};

class ScanRunTest : public ::testing::Test {
 protected:
  platform::fake::FakeServices sys;
  Recorder view;

  // Writes a list beside the program, scrambled as the vendor's tool writes it.
  void list(size_t phase, std::initializer_list<std::string> lines) {
    std::string bytes;
    for (const auto& line : lines) bytes += scan::scrambleText(line) + "\r\n";
    sys.fakeFiles.addFile(kProgramDir + std::string(scan::kScanPhases[phase].listName), bytes);
  }
  void emptyLists() {
    for (size_t phase = 0; phase < scan::kScanPhases.size(); ++phase) list(phase, {});
  }
  scan::ScanSetup setup() {
    return scan::ScanSetup{sys.registry(), sys.files(), sys.system(), kProgramDir, "C:\\WINDOWS"};
  }
  bool keyExists(RegRoot root, const std::string& path) {
    return sys.registry().open(root, path, RegAccess::Read) != nullptr;
  }
  void makeKey(RegRoot root, const std::string& path) {
    ASSERT_NE(sys.registry().create(root, path), nullptr) << path;
  }
  void setValue(RegRoot root, const std::string& path, const std::string& name) {
    ASSERT_TRUE(sys.registry().create(root, path)->writeString(name, "x")) << name;
  }
  std::vector<std::string> values(RegRoot root, const std::string& path) {
    auto key = sys.registry().open(root, path, RegAccess::Read);
    return key ? key->valueNames() : std::vector<std::string>{"(no key)"};
  }
  // Files in the quarantine folder.
  std::vector<std::string> quarantined() {
    std::vector<std::string> names;
    platform::FindData entry;
    auto find = sys.files().findFirst(kProgramDir + std::string("Quarantined\\*"), entry);
    for (bool more = find != nullptr; more; more = find->next(entry))
      if (!entry.isDotEntry()) names.push_back(entry.name);
    return names;
  }
};

TEST_F(ScanRunTest, EmptyListsEndInACleanScan) {
  emptyLists();
  scan::ScanRun run(setup(), view);
  EXPECT_EQ(run.run(), scan::ScanRun::State::Complete);
  ASSERT_EQ(view.ends.size(), 1u);
  EXPECT_EQ(view.ends[0].caption, "Scan complete.");
  EXPECT_EQ(view.ends[0].summary, "0 infections were found.");
  EXPECT_FALSE(view.ends[0].enableButtons);
  EXPECT_TRUE(view.ends[0].clean);
  EXPECT_EQ(run.counts().ItemsScanned, 0);
  EXPECT_EQ(view.only("Label2="),
            (Events{"Label2=Scanning file system:", "Label2=Deep Scanning Registry:",
                    "Label2=Deep Scanning Registry:", "Label2=Deep Scanning Registry:",
                    "Label2=Deep Scanning Registry:", "Label2=Deep Scanning Registry:",
                    "Label2=Deep Scanning Registry:"}));
  EXPECT_EQ(run.backupFile(), "");
  EXPECT_TRUE(quarantined().empty());
}

TEST_F(ScanRunTest, EveryLineOfEveryPhaseShowsCountsPausesAndLetsMessagesThrough) {
  list(0, {"system32\\evil.dll"});
  list(1, {"\\CLSID\\{bad}"});
  list(2, {"\\Software\\Bad", "\\Software\\Worse"});
  list(3, {"BadBar"});
  list(4, {"\\Software\\BadUser"});
  list(5, {"BadBrowserBar"});
  list(6, {"BadRun"});
  scan::ScanRun run(setup(), view);
  run.run();

  EXPECT_EQ(run.counts().ItemsScanned, 8);
  EXPECT_EQ(
      view.only("Label1"),
      (Events{"Label1=C:\\WINDOWS\\system32\\evil.dll", "Label1~HKEY_CLASSES_ROOT\\CLSID\\{bad}",
              "Label1~HKEY_LOCAL_MACHINE\\Software\\Bad",
              "Label1~HKEY_LOCAL_MACHINE\\Software\\Worse",
              "Label1~HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Internet Explorer\\Toolbar\\BadBar",
              "Label1~HKEY_CURRENT_USER\\Software\\BadUser",
              "Label1~HKEY_CURRENT_USER\\Software\\microsoft\\internet explorer\\toolbar\\"
              "webbrowser\\BadBrowserBar",
              "Label1~Checking Runtime Settings For Trojans: BadRun"}));
  // One line: the count, the text, the pause, the check, the messages, then the stop flag.
  const Events first(view.events.begin(), view.events.begin() + 6);
  EXPECT_EQ(first, (Events{"Label2=Scanning file system:", "Label7=Items scanned: 1",
                           "Label1=C:\\WINDOWS\\system32\\evil.dll", "pause 10", "messages",
                           "Label2=Deep Scanning Registry:"}));
  EXPECT_EQ(view.only("Label7=").back(), "Label7=Items scanned: 8");
  EXPECT_EQ(view.only("pause").size(), 8u);
  EXPECT_EQ(view.only("messages").size(), 8u);
  EXPECT_EQ(view.ends.size(), 1u);
  EXPECT_EQ(view.ends[0].summary, "0 infections were found.");
}

TEST_F(ScanRunTest, FilesFoundAreListedAndLeftWhereTheyAre) {
  sys.fakeFiles.addFile("C:\\WINDOWS\\evil.exe", "bad");
  sys.fakeFiles.addFile("C:\\WINDOWS\\system32\\drivers\\rootkit.sys", "bad");
  sys.fakeFiles.addDir("C:\\WINDOWS\\BadFolder");
  emptyLists();
  list(0, {"evil.exe", "missing.exe", "BadFolder", "system32\\DRIVERS\\rootkit.sys"});
  scan::ScanRun run(setup(), view);
  run.run();

  EXPECT_EQ(view.only("file "),
            (Events{"file C:\\WINDOWS\\evil.exe Label8=1",
                    "file C:\\WINDOWS\\system32\\DRIVERS\\rootkit.sys Label8=2"}));
  EXPECT_EQ(view.only("sound").size(), 2u);
  EXPECT_EQ(run.counts().DetectedFiles,
            (std::vector<std::string>{"C:\\WINDOWS\\evil.exe",
                                      "C:\\WINDOWS\\system32\\DRIVERS\\rootkit.sys"}));
  EXPECT_EQ(run.counts().FilesDetected, 2);
  EXPECT_TRUE(sys.files().fileExists("C:\\WINDOWS\\evil.exe"));
  ASSERT_EQ(view.ends.size(), 1u);
  EXPECT_EQ(view.ends[0].summary, "2 infections were found.");
  EXPECT_TRUE(view.ends[0].enableButtons);
  EXPECT_FALSE(view.ends[0].clean);
}

TEST_F(ScanRunTest, FileLinesThatLeadOutOfTheWindowsDirectoryAreScannedButNeverFound) {
  for (const char* outside : {"C:\\secret.doc", "C:\\Program Files\\Orvanta\\qexsys.exe",
                              "D:\\data.db", "C:\\WINDOWS\\..\\secret.doc"})
    sys.fakeFiles.addFile(outside, "precious");
  sys.fakeFiles.addFile("C:\\WINDOWS\\inside.exe", "bad");
  emptyLists();
  list(0, {"..\\secret.doc",
           "system32\\..\\..\\secret.doc",
           "..\\Program Files\\Orvanta\\qexsys.exe",
           "C:\\secret.doc",
           "D:data.db",
           "\\secret.doc",
           "/secret.doc",
           "\\\\server\\share\\x",
           "system32/../../secret.doc",
           "...\\secret.doc",
           ". .\\..\\secret.doc",
           "inside.exe:stream",
           "*.exe",
           "inside.ex?",
           "NUL",
           "con.txt",
           "LPT1",
           "system32\\\\inside.exe",
           "inside.exe\\",
           "inside.exe"});
  scan::ScanRun run(setup(), view);
  run.run();
  EXPECT_EQ(run.counts().ItemsScanned, 20);
  EXPECT_EQ(run.counts().DetectedFiles, std::vector<std::string>{"C:\\WINDOWS\\inside.exe"});
}

TEST_F(ScanRunTest, AFoundKeyGoesWithItsSubkeysAndNothingAboveOrBesideIt) {
  makeKey(RegRoot::ClassesRoot, "CLSID\\{bad}\\InprocServer32\\Deeper");
  makeKey(RegRoot::ClassesRoot, "CLSID\\{good}");
  setValue(RegRoot::ClassesRoot, "CLSID", "kept");
  makeKey(RegRoot::LocalMachine, "Software\\Vendor\\Bad\\Sub");
  makeKey(RegRoot::LocalMachine, "Software\\Vendor\\Good");
  makeKey(RegRoot::CurrentUser, "Software\\BadUser");
  makeKey(RegRoot::CurrentUser, "Software\\GoodUser");
  emptyLists();
  list(1, {"\\CLSID\\{BAD}", "\\", "\\\\\\", "\\CLSID\\{missing}"});
  list(2, {"\\\\Software\\\\Vendor\\Bad\\\\"});
  list(4, {"\\Software\\BadUser\\"});
  scan::ScanRun run(setup(), view);
  run.run();

  EXPECT_FALSE(keyExists(RegRoot::ClassesRoot, "CLSID\\{bad}"));
  EXPECT_TRUE(keyExists(RegRoot::ClassesRoot, "CLSID\\{good}"));
  EXPECT_EQ(values(RegRoot::ClassesRoot, "CLSID"), std::vector<std::string>{"kept"});
  EXPECT_FALSE(keyExists(RegRoot::LocalMachine, "Software\\Vendor\\Bad"));
  EXPECT_TRUE(keyExists(RegRoot::LocalMachine, "Software\\Vendor\\Good"));
  EXPECT_FALSE(keyExists(RegRoot::CurrentUser, "Software\\BadUser"));
  EXPECT_TRUE(keyExists(RegRoot::CurrentUser, "Software\\GoodUser"));
  // Lines of backslashes alone name the root: never found, never deleted.
  EXPECT_EQ(view.only("key "),
            (Events{"key HKEY_CLASSES_ROOT\\CLSID\\{BAD} Removed Label9=1",
                    "key HKEY_LOCAL_MACHINE\\\\Software\\\\Vendor\\Bad\\\\ Removed Label9=2",
                    "key HKEY_CURRENT_USER\\Software\\BadUser\\ Removed Label9=3"}));
  EXPECT_EQ(view.only("sound").size(), 3u);
  EXPECT_EQ(run.counts().ItemsScanned, 6);
  // Keys only: counted as infections, but there is no file for the buttons to act on.
  EXPECT_EQ(view.ends[0].summary, "3 infections were found.");
  EXPECT_FALSE(view.ends[0].enableButtons);
  EXPECT_FALSE(view.ends[0].clean);
}

// A standard user may read the machine's keys but not change them: such a find is shown as not
// removed, and the user learns once, at the end, what removing it takes.
TEST_F(ScanRunTest, AKeyThisUserMayNotChangeIsShownAndTheUserToldOnceAtTheEnd) {
  makeKey(RegRoot::LocalMachine, "Software\\Locked");
  sys.fakeRegistry.refuse(RegRoot::LocalMachine, "Software\\Locked", RegAccess::AllAccess);
  makeKey(RegRoot::LocalMachine, "Software\\Partly\\Guarded");
  makeKey(RegRoot::LocalMachine, "Software\\Partly\\Open");
  sys.fakeRegistry.refuse(RegRoot::LocalMachine, "Software\\Partly\\Guarded", RegAccess::AllAccess);
  setValue(RegRoot::LocalMachine, "software\\microsoft\\windows\\currentversion\\run", "BadRun");
  sys.fakeRegistry.refuse(RegRoot::LocalMachine, "software\\microsoft\\windows\\currentversion\\run",
                          RegAccess::AllAccess);
  makeKey(RegRoot::LocalMachine, "Software\\Hidden");
  sys.fakeRegistry.refuse(RegRoot::LocalMachine, "Software\\Hidden", RegAccess::Read);
  emptyLists();
  list(2, {"\\Software\\Locked", "\\Software\\Partly", "\\Software\\Hidden"});
  list(6, {"BadRun"});
  scan::ScanRun run(setup(), view);
  run.run();
  EXPECT_TRUE(keyExists(RegRoot::LocalMachine, "Software\\Locked"));
  EXPECT_TRUE(keyExists(RegRoot::LocalMachine, "Software\\Partly\\Guarded"));
  EXPECT_EQ(view.only("key "),
            (Events{"key HKEY_LOCAL_MACHINE\\Software\\Locked Not removed Label9=1",
                    "key HKEY_LOCAL_MACHINE\\Software\\Partly Not removed Label9=2",
                    "key HKEY_LOCAL_MACHINE\\software\\microsoft\\windows\\currentversion\\run\\"
                    "BadRun Not removed Label9=3"}));
  EXPECT_EQ(view.told,
            (Events{"2 registry entries found by the scan were not removed, because only an "
                    "administrator may change them. Start Orvanta Kestrel as an administrator and "
                    "scan again to remove them."}));
}

// On 64-bit Windows a listed key or value is looked up in both views, and goes from the view it
// lies in; the user's own keys are the same in both.
TEST_F(ScanRunTest, OnSixtyFourBitWindowsBothViewsAreScannedAndTheRowsSayWhich) {
  sys.fakeRegistry.sixtyFourBitWindows = true;
  makeKey(RegRoot::LocalMachine, "Software\\Wow6432Node\\Bad");
  makeKey(RegRoot::LocalMachine, "Software\\Wow6432Node\\Twice");
  makeKey(RegRoot::LocalMachine, "Software\\Twice");
  makeKey(RegRoot::ClassesRoot, "Wow6432Node\\Bad.Type");
  makeKey(RegRoot::CurrentUser, "Software\\Bad");
  setValue(RegRoot::LocalMachine, "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Run",
           "BadRun");
  emptyLists();
  list(1, {"\\Bad.Type"});
  list(2, {"\\Software\\Bad", "\\Software\\Twice"});
  list(4, {"\\Software\\Bad"});
  list(6, {"BadRun"});
  scan::ScanRun run(setup(), view);
  run.run();
  EXPECT_EQ(view.only("key "),
            (Events{"key HKEY_CLASSES_ROOT\\Bad.Type (32-bit) Removed Label9=1",
                    "key HKEY_LOCAL_MACHINE\\Software\\Bad (32-bit) Removed Label9=2",
                    "key HKEY_LOCAL_MACHINE\\Software\\Twice Removed Label9=3",
                    "key HKEY_LOCAL_MACHINE\\Software\\Twice (32-bit) Removed Label9=4",
                    "key HKEY_CURRENT_USER\\Software\\Bad Removed Label9=5"}));
  for (const char* gone : {"Software\\Wow6432Node\\Bad", "Software\\Wow6432Node\\Twice", "Software\\Twice"})
    EXPECT_FALSE(keyExists(RegRoot::LocalMachine, gone)) << gone;
  EXPECT_TRUE(values(RegRoot::LocalMachine,
                     "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Run")
                  .empty());
  // The backup names the 32-bit view's keys as the 64-bit view does, so that regedit of
  // either width puts them back where they were.
  const auto backup = sys.files().readFile(run.backupFile(), 1 << 20).value_or("");
  EXPECT_NE(backup.find("[HKEY_LOCAL_MACHINE\\Software\\Wow6432Node\\Bad]"), std::string::npos)
      << backup;
  EXPECT_NE(backup.find("[HKEY_CLASSES_ROOT\\Wow6432Node\\Bad.Type]"), std::string::npos);
  EXPECT_NE(backup.find("[HKEY_LOCAL_MACHINE\\software\\Wow6432Node\\microsoft\\windows\\currentversion\\run]\r\n\"BadRun\""),
            std::string::npos)
      << backup;
}

TEST_F(ScanRunTest, ListedValuesOfTheThreeFixedKeysAreDeletedSilently) {
  const std::string toolbar = "Software\\Microsoft\\Internet Explorer\\Toolbar";
  const std::string browser = "Software\\Microsoft\\Internet Explorer\\Toolbar\\WebBrowser";
  const std::string run = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  for (const char* name : {"BadBar", "GoodBar"}) setValue(RegRoot::LocalMachine, toolbar, name);
  for (const char* name : {"BadBrowserBar", "GoodBrowserBar"})
    setValue(RegRoot::CurrentUser, browser, name);
  for (const char* name : {"BadRun", "GoodRun"}) setValue(RegRoot::LocalMachine, run, name);
  makeKey(RegRoot::LocalMachine, run + "\\BadRun");  // a key of a listed value's name stays
  emptyLists();
  list(3, {"badbar", "Missing"});
  list(5, {"BadBrowserBar"});
  list(6, {"BadRun", "GoodRun\\x"});
  scan::ScanRun scanRun(setup(), view);
  scanRun.run();

  EXPECT_EQ(values(RegRoot::LocalMachine, toolbar), std::vector<std::string>{"GoodBar"});
  EXPECT_EQ(values(RegRoot::CurrentUser, browser), std::vector<std::string>{"GoodBrowserBar"});
  EXPECT_EQ(values(RegRoot::LocalMachine, run), std::vector<std::string>{"GoodRun"});
  EXPECT_TRUE(keyExists(RegRoot::LocalMachine, run + "\\BadRun"));
  EXPECT_TRUE(view.only("key ").empty());
  EXPECT_TRUE(view.only("sound").empty());
  EXPECT_EQ(scanRun.counts().KeysRemoved, 0);
  EXPECT_TRUE(view.ends[0].clean);
}

// What could not be saved to the backup first stays, with a row that says so, and the user
// learns why once, at the end, with the offer to delete it without a backup.
class KeptFinds : public ScanRunTest {
 protected:
  const std::string run = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  void SetUp() override {
    makeKey(RegRoot::CurrentUser, "Software\\Bad\\Sub");
    setValue(RegRoot::LocalMachine, run, "BadRun");
    setValue(RegRoot::LocalMachine, run, "GoodRun");
    emptyLists();
    list(4, {"\\Software\\Bad"});
    list(6, {"BadRun", "Missing"});
    // A file where the backup's folder belongs: nothing can be saved.
    sys.fakeFiles.addFile(kProgramDir + std::string("Quarantined"), "not a folder");
  }
  void scan() {
    scan::ScanRun scanRun(setup(), view);
    EXPECT_EQ(scanRun.run(), scan::ScanRun::State::Complete);
  }
};

TEST_F(KeptFinds, KeysAndValuesThatCouldNotBeSavedStayWithARowAndOneQuestion) {
  scan();
  EXPECT_EQ(view.only("key "),
            (Events{"key HKEY_CURRENT_USER\\Software\\Bad Not removed Label9=1",
                    "key HKEY_LOCAL_MACHINE\\software\\microsoft\\windows\\currentversion\\run\\"
                    "BadRun Not removed Label9=2"}));
  EXPECT_EQ(view.ends[0].summary, "2 infections were found.");
  ASSERT_EQ(view.questions.size(), 1u);
  EXPECT_EQ(view.questions[0],
            "2 registry entries found by the scan were not removed, because they could not be "
            "saved to a registry backup first:\n"
            "- the backup cannot be written in the folder \"C:\\Program Files\\Orvanta\\"
            "Quarantined\"\n\nDo you want to delete them without a backup?");
  // No: both stay.
  EXPECT_TRUE(keyExists(RegRoot::CurrentUser, "Software\\Bad\\Sub"));
  EXPECT_EQ(values(RegRoot::LocalMachine, run), (std::vector<std::string>{"BadRun", "GoodRun"}));
  EXPECT_TRUE(view.only("removed").empty());
}

TEST_F(KeptFinds, YesDeletesThemAndTheirRowsSaySo) {
  view.deleteWithoutBackup = true;
  scan();
  EXPECT_FALSE(keyExists(RegRoot::CurrentUser, "Software\\Bad"));
  EXPECT_EQ(values(RegRoot::LocalMachine, run), std::vector<std::string>{"GoodRun"});
  EXPECT_EQ(view.only("removed"), (Events{"removed row 0", "removed row 1"}));
}

// A line break in a name cannot go into the backup; it must not keep a key from removal either.
TEST_F(KeptFinds, ALineBreakInANameIsNamedAsTheReason) {
  sys.fakeFiles.remove(kProgramDir + std::string("Quarantined"));
  setValue(RegRoot::CurrentUser, "Software\\Bad", "two\r\nlines");
  view.deleteWithoutBackup = true;
  emptyLists();
  list(4, {"\\Software\\Bad"});
  scan();
  ASSERT_EQ(view.questions.size(), 1u);
  EXPECT_EQ(view.questions[0],
            "1 registry entry found by the scan was not removed, because it could not be saved "
            "to a registry backup first:\n"
            "- a name in it holds a line break, which a registry backup cannot hold\n\n"
            "Do you want to delete it without a backup?");
  EXPECT_FALSE(keyExists(RegRoot::CurrentUser, "Software\\Bad"));
}

TEST_F(KeptFinds, NoQuestionWhenEverythingWasSavedOrTheScanWasEnded) {
  sys.fakeFiles.remove(kProgramDir + std::string("Quarantined"));
  scan();
  EXPECT_TRUE(view.questions.empty());
  EXPECT_FALSE(keyExists(RegRoot::CurrentUser, "Software\\Bad"));

  Recorder stopped;
  sys.fakeFiles.addFile(kProgramDir + std::string("Quarantined"), "not a folder");
  makeKey(RegRoot::CurrentUser, "Software\\Bad");
  stopped.onMessages = [&] { stopped.stop = true; };
  scan::ScanRun scanRun(setup(), stopped);
  EXPECT_EQ(scanRun.run(), scan::ScanRun::State::Ended);
  EXPECT_TRUE(stopped.questions.empty());
}

TEST_F(ScanRunTest, AMissingListEndsTheScanAtItsPhase) {
  makeKey(RegRoot::CurrentUser, "Software\\BadUser");
  emptyLists();
  list(1, {"\\A", "\\B"});
  sys.fakeFiles.remove(kProgramDir + std::string("ThreatDataExt2.db"));
  sys.fakeFiles.addDir(kProgramDir + std::string("ThreatDataExt2.db"));  // a folder is no list
  list(4, {"\\Software\\BadUser"});
  scan::ScanRun run(setup(), view);
  EXPECT_EQ(run.run(), scan::ScanRun::State::Ended);
  EXPECT_EQ(run.counts().ItemsScanned, 2);
  EXPECT_EQ(view.only("Label2=").size(), 3u);  // phase 3 began, found no list, and ended it
  EXPECT_TRUE(view.ends.empty());
  EXPECT_TRUE(view.errors.empty());
  EXPECT_TRUE(keyExists(RegRoot::CurrentUser, "Software\\BadUser"));
  EXPECT_EQ(run.step(), scan::ScanRun::State::Ended);  // and stays ended
  EXPECT_EQ(run.counts().ItemsScanned, 2);
}

TEST_F(ScanRunTest, AListThatCannotBeReadIsReportedAndEndsTheScan) {
  emptyLists();
  list(0, {"a", "b"});
  const std::string locked = kProgramDir + std::string("ThreatDataExt1.db");
  sys.fakeFiles.makeUnreadable(locked);
  scan::ScanRun run(setup(), view);
  EXPECT_EQ(run.run(), scan::ScanRun::State::Ended);
  EXPECT_EQ(view.errors,
            std::vector<std::string>{"The signature list " + locked + " cannot be opened."});
  EXPECT_EQ(run.counts().ItemsScanned, 2);
  EXPECT_TRUE(view.ends.empty());
}

TEST_F(ScanRunTest, AStopSeenAfterTheMessagesOfALineEndsTheScanThere) {
  for (const char* key : {"One", "Two", "Three"}) makeKey(RegRoot::ClassesRoot, key);
  emptyLists();
  list(1, {"\\One", "\\Two", "\\Three"});
  int lines = 0;
  view.onMessages = [&] { view.stop = ++lines == 2; };  // the user closes during line 2
  scan::ScanRun run(setup(), view);
  EXPECT_EQ(run.run(), scan::ScanRun::State::Ended);
  EXPECT_FALSE(keyExists(RegRoot::ClassesRoot, "One"));
  EXPECT_FALSE(keyExists(RegRoot::ClassesRoot, "Two"));  // deleted before the close was seen
  EXPECT_TRUE(keyExists(RegRoot::ClassesRoot, "Three"));
  EXPECT_EQ(run.counts().ItemsScanned, 2);
  EXPECT_TRUE(view.ends.empty());
  EXPECT_NE(run.backupFile(), "");  // what was deleted is saved
}

TEST_F(ScanRunTest, AStopSeenAfterThePauseSkipsTheLinesCheck) {
  for (const char* key : {"One", "Two"}) makeKey(RegRoot::ClassesRoot, key);
  emptyLists();
  list(1, {"\\One", "\\Two"});
  view.onPause = [&] { view.stop = true; };  // the user closes while the window pauses
  scan::ScanRun run(setup(), view);
  EXPECT_EQ(run.run(), scan::ScanRun::State::Ended);
  EXPECT_TRUE(keyExists(RegRoot::ClassesRoot, "One"));
  EXPECT_TRUE(view.only("key ").empty());
  EXPECT_EQ(run.counts().ItemsScanned, 1);
  EXPECT_EQ(run.backupFile(), "");
}

TEST_F(ScanRunTest, AStepAskedForDuringALinesMessagesDoesNothing) {
  emptyLists();
  list(0, {"a", "b", "c"});
  scan::ScanRun* running = nullptr;
  view.onMessages = [&] {
    EXPECT_TRUE(running->stepping());
    EXPECT_EQ(running->step(), scan::ScanRun::State::Running);
    EXPECT_EQ(running->run(), scan::ScanRun::State::Running);
  };
  scan::ScanRun run(setup(), view);
  running = &run;
  EXPECT_EQ(run.run(), scan::ScanRun::State::Complete);
  EXPECT_EQ(run.counts().ItemsScanned, 3);
  EXPECT_EQ(view.only("Label1=").size(), 3u);
  EXPECT_FALSE(run.stepping());
}

TEST_F(ScanRunTest, StepsOneLineAtATimeForATimer) {
  sys.fakeFiles.addFile("C:\\WINDOWS\\b", "x");
  emptyLists();
  list(0, {"a", "b"});
  list(3, {"c"});
  scan::ScanRun run(setup(), view);
  EXPECT_EQ(run.step(), scan::ScanRun::State::Running);
  EXPECT_EQ(run.counts().ItemsScanned, 1);
  EXPECT_EQ(run.step(), scan::ScanRun::State::Running);
  EXPECT_EQ(run.counts().FilesDetected, 1);
  EXPECT_EQ(run.step(), scan::ScanRun::State::Running);  // phases 2 and 3 are empty: phase 4
  EXPECT_EQ(run.counts().ItemsScanned, 3);
  EXPECT_TRUE(view.ends.empty());
  EXPECT_EQ(run.step(), scan::ScanRun::State::Complete);
  EXPECT_EQ(view.ends.size(), 1u);

  // A stop that comes between two ticks is seen before the next line.
  Recorder other;
  scan::ScanRun stopped(setup(), other);
  stopped.step();
  other.stop = true;
  EXPECT_EQ(stopped.step(), scan::ScanRun::State::Ended);
  EXPECT_EQ(stopped.counts().ItemsScanned, 1);
}

}  // namespace
