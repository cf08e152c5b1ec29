// The logic the fakes have of their own, beyond what the contract suite holds them to:
// refusals, threads meeting on a watch, time formatting, and how the fakes are wired.
#include <gtest/gtest.h>

#include <thread>

#include "platform/fake/fake_services.h"

namespace {

using namespace platform;
using namespace platform::fake;

TEST(FakeRegistry, RefusedKeysOpenOnlyAsFarAsAllowed) {
  FakeRegistry reg;
  reg.create(RegRoot::LocalMachine, "Locked\\Child")->writeString("v", "1");
  reg.create(RegRoot::LocalMachine, "Hidden");
  reg.refuse(RegRoot::LocalMachine, "locked", RegAccess::AllAccess);
  reg.refuse(RegRoot::LocalMachine, "Hidden", RegAccess::Read);

  EXPECT_NE(reg.open(RegRoot::LocalMachine, "Locked", RegAccess::Read), nullptr);
  EXPECT_EQ(reg.open(RegRoot::LocalMachine, "Locked", RegAccess::AllAccess), nullptr);
  EXPECT_EQ(reg.create(RegRoot::LocalMachine, "Locked"), nullptr);
  EXPECT_EQ(reg.create(RegRoot::LocalMachine, "Locked\\New"), nullptr);
  // The refusal is the key's own: a child that exists opens fully.
  EXPECT_NE(reg.create(RegRoot::LocalMachine, "Locked\\Child"), nullptr);
  EXPECT_EQ(reg.open(RegRoot::LocalMachine, "Hidden", RegAccess::Read), nullptr);
  // Other roots are other trees.
  EXPECT_EQ(reg.open(RegRoot::CurrentUser, "Locked", RegAccess::Read), nullptr);
}

TEST(FakeRegistry, DeleteTreeStopsAtARefusedKeyAndKeepsItsAncestors) {
  FakeRegistry reg;
  reg.create(RegRoot::CurrentUser, "T\\Free\\Deep");
  reg.create(RegRoot::CurrentUser, "T\\Locked\\Below");
  reg.refuse(RegRoot::CurrentUser, "T\\Locked", RegAccess::AllAccess);

  EXPECT_FALSE(reg.deleteTree(RegRoot::CurrentUser, "T"));
  auto t = reg.open(RegRoot::CurrentUser, "T", RegAccess::Read);
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->subkeyNames(), std::vector<std::string>{"Locked"});
  EXPECT_NE(reg.open(RegRoot::CurrentUser, "T\\Locked\\Below", RegAccess::Read), nullptr);
}

TEST(FakeRegistry, HandlesOfOneKeySeeEachOthersChanges) {
  FakeRegistry reg;
  auto writer = reg.create(RegRoot::CurrentUser, "Shared");
  auto reader = reg.open(RegRoot::CurrentUser, "SHARED", RegAccess::Read);
  ASSERT_NE(reader, nullptr);
  writer->writeString("v", "1");
  EXPECT_EQ(reader->readString("v"), "1");
  writer->deleteValue("V");
  EXPECT_EQ(reader->read("v"), std::nullopt);
}

TEST(FakeSync, AWatcherThreadWakesForChangesStopsAndFailures) {
  FakeSync sync;
  auto watch = sync.watchFolder("C:\\WINDOWS");
  std::vector<FolderWatch::Wake> wakes;
  std::thread worker([&] {
    for (;;) {
      const auto wake = watch->wait();
      wakes.push_back(wake);
      if (wake != FolderWatch::Wake::Change || !watch->rearm()) return;
    }
  });
  ASSERT_TRUE(sync.awaitWaiter("c:\\windows\\", 5000));
  sync.fileChanged("c:\\Windows\\new.ini");
  ASSERT_TRUE(sync.awaitWaiter("C:\\WINDOWS", 5000));
  sync.fileChanged("C:\\WINDOWS\\system32\\deep.dll");  // another folder: nothing
  sync.signalFolder("C:\\Temp");
  sync.failFolder("C:\\WINDOWS");
  worker.join();
  EXPECT_EQ(wakes, (std::vector<FolderWatch::Wake>{FolderWatch::Wake::Change, FolderWatch::Wake::Failed}));
}

TEST(FakeSync, NobodyWaitingTimesOutAndMissingFoldersFail) {
  FakeSync sync;
  EXPECT_FALSE(sync.awaitWaiter("C:\\WINDOWS", 10));
  sync.folderExists = [](const std::string& folder) { return folder == "C:\\Here"; };
  EXPECT_EQ(sync.watchFolder("C:\\Gone")->wait(), FolderWatch::Wake::Failed);
  auto here = sync.watchFolder("C:\\Here");
  here->stop();
  EXPECT_EQ(here->wait(), FolderWatch::Wake::Stopped);
}

TEST(FakeSync, AMutexNameLivesWhileAnyHandleIsOpen) {
  FakeSync sync;
  auto first = sync.createMutex("MYMUTEX");
  auto second = sync.createMutex("MYMUTEX");
  EXPECT_TRUE(second->alreadyExisted());
  first.reset();
  EXPECT_TRUE(sync.mutexExists("MYMUTEX"));
  EXPECT_TRUE(sync.createMutex("MYMUTEX")->alreadyExisted());
  second.reset();
  EXPECT_FALSE(sync.mutexExists("MYMUTEX"));
}

TEST(FakeSystem, FileTimesFollowTheOffsetAcrossDaysAndYears) {
  FakeSystem s;
  const FileTime midnight2004 = FakeFiles::kDefaultTime;  // 2004-01-01 00:00 UTC
  const FileTime minute = 600000000ull;
  auto text = [&](FileTime t) {
    auto local = s.localTime(t);
    return local ? s.shortDate(*local) + " " + s.shortTime(*local) : std::string("none");
  };
  EXPECT_EQ(text(midnight2004), "1/1/2004 12:00 AM");
  EXPECT_EQ(text(midnight2004 + 30 * minute), "1/1/2004 12:30 AM");
  s.utcOffsetMinutes = -60;
  EXPECT_EQ(text(midnight2004 + 30 * minute), "12/31/2003 11:30 PM");
  s.utcOffsetMinutes = 13 * 60;
  EXPECT_EQ(text(midnight2004 - minute), "1/1/2004 12:59 PM");
  s.utcOffsetMinutes = 0;
  // 2000-02-29 was a leap day; 1601-01-01 is the first file time there is.
  EXPECT_EQ(text(125962560000000000ull + 23 * 60 * minute + 59 * minute), "2/29/2000 11:59 PM");
  EXPECT_EQ(text(0), "1/1/1601 12:00 AM");
  EXPECT_EQ(text(0x8000000000000000ull), "none");
  EXPECT_EQ(text(~0ull), "none");
  s.utcOffsetMinutes = -1;  // before the first file time
  EXPECT_EQ(text(0), "none");
  s.utcOffsetMinutes = 0;
  const auto oneAndAHalf = s.localTime(midnight2004 + 90 * 10000000ull);
  EXPECT_EQ(oneAndAHalf->minute, 1);
  EXPECT_EQ(oneAndAHalf->second, 30);
}

TEST(FakeSystem, DrivesAnswerByLetterWhateverTheRootLooksLike) {
  FakeSystem s;
  s.drives['D'] = FakeDrive{5, std::nullopt, std::nullopt};
  EXPECT_EQ(s.logicalDrives(), (1u << 2) | (1u << 3));
  EXPECT_EQ(s.driveType("c:"), 3u);
  EXPECT_EQ(s.driveType("D:\\"), 5u);
  EXPECT_EQ(s.driveType("E:\\"), 1u);
  EXPECT_EQ(s.driveType("C"), 1u);
  EXPECT_EQ(s.diskFreeSpace("D:\\"), std::nullopt);  // no disc in the drive
  EXPECT_TRUE(s.volumeSerial("c:\\").has_value());
}

TEST(FakeShell, OpensWhatExistsAndRecordsEveryRequest) {
  FakeServices fakes;
  fakes.fakeFiles.addFile("C:\\Prog\\help\\index.htm", "<html>");
  Shell& shell = fakes.shell();
  EXPECT_TRUE(shell.execute(7, "open", "c:\\prog\\HELP\\index.htm"));
  EXPECT_FALSE(shell.execute(7, "open", "C:\\Prog\\help\\missing.htm"));
  EXPECT_TRUE(shell.execute(0, "open", "http://forum.example/"));
  fakes.fakeShell.executeFails = true;
  EXPECT_FALSE(shell.execute(0, "open", "http://forum.example/"));
  ASSERT_EQ(fakes.fakeShell.requests.size(), 4u);
  EXPECT_EQ(fakes.fakeShell.requests[1].target, "C:\\Prog\\help\\missing.htm");
  EXPECT_EQ(fakes.fakeShell.requests[0].owner, 7u);
}

TEST(FakeShell, ListingsFromTheTreeMarkLinksAndHiddenItems) {
  FakeServices fakes;
  fakes.fakeFiles.addFile("C:\\Start\\Tool.LNK");
  fakes.fakeFiles.addFile("C:\\Start\\desktop.ini", "", kAttrHidden | kAttrSystem);
  fakes.fakeFiles.addDir("C:\\Start\\group");
  auto items = fakes.shell().listFolder("c:\\start\\");
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[0].displayName, "group");
  EXPECT_EQ(items[0].iconIndex, 2);
  EXPECT_EQ(items[1].displayName, "desktop.ini");
  EXPECT_TRUE(items[1].hidden);
  EXPECT_TRUE(items[2].link);

  fakes.fakeShell.folders["C:\\Start"] = {ShellItem{"Given", 9, false, true, false}};
  items = fakes.shell().listFolder("C:\\START\\");
  ASSERT_EQ(items.size(), 1u);
  EXPECT_TRUE(items[0].shared);
  EXPECT_TRUE(fakes.shell().listFolder("").empty());
}

TEST(FakeLibraries, OneHandlePerFileAndResourcesByTypeAndName) {
  FakeLibraries libs;
  libs.addResource("ulmres.dll", ResourceType::Bitmap, "Close_1", "bmp");
  EXPECT_EQ(libs.load("missing.dll"), nullptr);
  {
    auto a = libs.load("ULMRES.DLL");
    auto b = libs.load("ulmres.dll");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->handle(), b->handle());
    EXPECT_EQ(libs.loadedCount(), 2);
    EXPECT_EQ(a->resource(ResourceType::Bitmap, "CLOSE_1"), "bmp");
    EXPECT_EQ(a->resource(ResourceType::Wave, "close_1"), std::nullopt);
  }
  EXPECT_EQ(libs.loadedCount(), 0);
  EXPECT_EQ(libs.loadRequests, (std::vector<std::string>{"missing.dll", "ULMRES.DLL", "ulmres.dll"}));
}

TEST(FakeServices, FilesWrittenThroughTheServicesWakeTheirFolderOnly) {
  FakeServices fakes;
  const std::string windows = fakes.fakeSystem.windowsDir;
  fakes.fakeFiles.addDir(windows + "\\system32");
  auto watch = fakes.sync().watchFolder(windows);
  ASSERT_TRUE(fakes.files().createDirectory(windows + "\\NewFolder"));
  ASSERT_TRUE(fakes.files().writeFile(windows + "\\system32\\x.dll", "x"));
  ASSERT_TRUE(fakes.files().setAttributes(windows + "\\system32\\x.dll", kAttrHidden));
  watch->stop();
  EXPECT_EQ(watch->wait(), FolderWatch::Wake::Stopped);

  ASSERT_TRUE(fakes.files().copyFile(windows + "\\system32\\x.dll", windows + "\\y.dll", false));
  EXPECT_EQ(watch->wait(), FolderWatch::Wake::Change);
  EXPECT_EQ(fakes.sync().watchFolder(windows + "\\Missing")->wait(), FolderWatch::Wake::Failed);
}

}  // namespace
