// The system facts read at start-up from the fake machine: operating systems and their badges
// and folders, the registry facts, and what stands in where Windows keeps nothing.
#include <gtest/gtest.h>

#include "app/systemfacts.h"
#include "platform/fake/fake_services.h"

namespace {

using platform::RegRoot;

struct Facts : ::testing::Test {
  platform::fake::FakeServices sys;
  void set(RegRoot root, const std::string& key, const std::string& name, const std::string& value) {
    sys.fakeRegistry.create(root, key)->writeString(name, value);
  }
  void shellFolder(const std::string& name, const std::string& value) {
    set(RegRoot::CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", name, value);
  }
};

TEST_F(Facts, TheTempFolderLiesBelowLocalSettingsOnXpAndTwoThousandAndBelowLocalAppDataLater) {
  shellFolder("Local Settings", "C:\\Documents and Settings\\ann\\Local Settings");
  shellFolder("Local AppData", "C:\\Users\\ann\\AppData\\Local\\");
  const std::string xp = "C:\\Documents and Settings\\ann\\Local Settings\\";
  const std::string later = "C:\\Users\\ann\\AppData\\Local\\";
  struct Case {
    platform::OsVersion version;
    const char *name, *badge;
    std::string folder;
  };
  const Case cases[] = {
      {{5, 1, 2600, 2, "Service Pack 2"}, "Microsoft Windows XP", "os_xp", xp},
      {{5, 0, 2195, 2, "Service Pack 4"}, "Microsoft Windows 2000", "os_2000", xp},
      {{4, 90, 3000, 1, " "}, "Microsoft Windows ME", "os_me", ""},
      {{4, 10, 1998, 1, " "}, "Microsoft Windows 98", "os_98", ""},
      {{4, 10, 2222, 1, " A "}, "Microsoft Windows 98SE", "os_98", ""},
      {{5, 2, 3790, 2, ""}, "Microsoft Windows ", "", ""},
      {{6, 1, 7601, 2, "Service Pack 1"}, "Microsoft Windows 7", "", later},
      {{10, 0, 19045, 2, ""}, "Microsoft Windows 10", "", later},
  };
  for (const Case& c : cases) {
    sys.fakeSystem.version = c.version;
    const auto f = app::SystemFacts::read(sys);
    EXPECT_EQ(f.osName, c.name);
    EXPECT_EQ(f.osBadge, c.badge) << c.name;
    EXPECT_EQ(f.localSettings, c.folder) << c.name;
    EXPECT_EQ(f.tempFolder(), c.folder.empty() ? "" : c.folder + "Temp\\") << c.name;
  }
}

TEST_F(Facts, AMissingOrEmptyShellFolderGivesNoTempFolder) {
  EXPECT_EQ(app::SystemFacts::read(sys).tempFolder(), "");
  shellFolder("Local Settings", "");
  EXPECT_EQ(app::SystemFacts::read(sys).tempFolder(), "");
  EXPECT_EQ(app::SystemFacts::read(sys).profileDirectory, "C:\\Documents and Settings\\Owner");
}

TEST_F(Facts, RegistryFactsAndTheirAbsence) {
  auto bare = app::SystemFacts::read(sys);
  EXPECT_EQ(bare.windowsDirectory, "C:\\WINDOWS");
  EXPECT_EQ(bare.systemDrive(), "C:");
  EXPECT_EQ(bare.browserName, "");
  EXPECT_EQ(bare.directXVersion, "");
  EXPECT_EQ(bare.programFilesDir, "");
  EXPECT_EQ(bare.nortonQuarantine, "");
  EXPECT_FALSE(bare.hasQuarantine());
  EXPECT_EQ(bare.logonUserName, "Owner");  // the account name stands in for a missing logon name
  EXPECT_EQ(bare.colorDepth, 32);

  set(RegRoot::ClassesRoot, "http\\shell\\open\\ddeexec\\Application", "", "IExplore");
  set(RegRoot::LocalMachine, "SOFTWARE\\Microsoft\\DirectX", "Version", "4.09.00.0904");
  set(RegRoot::LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir", "C:\\Program Files");
  set(RegRoot::LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion", "CommonFilesDir", "C:\\Common");
  set(RegRoot::CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer", "Logon User Name", "ann");
  set(RegRoot::LocalMachine, "SOFTWARE\\Symantec\\Norton AntiVirus\\Quarantine", "QuarantinePath", "D:\\Q");
  const auto f = app::SystemFacts::read(sys);
  EXPECT_EQ(f.browserName, "IExplore");
  EXPECT_EQ(f.directXVersion, "4.09.00.0904");
  EXPECT_EQ(f.programFilesDir, "C:\\Program Files");
  EXPECT_EQ(f.commonFilesDir, "C:\\Common");
  EXPECT_EQ(f.logonUserName, "ann");
  EXPECT_EQ(f.nortonQuarantine, "D:\\Q\\");
  EXPECT_TRUE(f.hasQuarantine());
}

TEST_F(Facts, AQuarantineKeyWithoutAFolderIsNoQuarantine) {
  sys.fakeRegistry.create(RegRoot::LocalMachine, "SOFTWARE\\Symantec\\Norton AntiVirus\\Quarantine");
  const auto f = app::SystemFacts::read(sys);
  EXPECT_EQ(f.nortonQuarantine, "\\");
  EXPECT_FALSE(f.hasQuarantine());
}

TEST_F(Facts, InstallPathIsReadAndFilledInButTheKeyNeverMade) {
  app::SystemFacts f;
  f.readInstallPath(sys.registry(), "C:\\Kestrel\\");
  EXPECT_EQ(sys.fakeRegistry.open(RegRoot::LocalMachine, "Software\\Orvanta Works\\Orvanta Kestrel",
                                  platform::RegAccess::Read),
            nullptr);
  set(RegRoot::LocalMachine, "Software\\Orvanta Works\\Orvanta Kestrel", "InstallPath", "D:\\Elsewhere\\");
  f.readInstallPath(sys.registry(), "C:\\Kestrel\\");
  EXPECT_EQ(f.installPath, "D:\\Elsewhere\\");
}

// What a 32-bit program registered on 64-bit Windows counts as much: the antivirus quarantine
// folder, and the product's own key, whose install path is filled in where it lies.
TEST_F(Facts, KeysOfTheThirtyTwoBitViewCount) {
  sys.fakeRegistry.sixtyFourBitWindows = true;
  set(RegRoot::LocalMachine, "SOFTWARE\\Wow6432Node\\Symantec\\Norton AntiVirus\\Quarantine",
      "QuarantinePath", "C:\\Q");
  EXPECT_EQ(app::SystemFacts::read(sys).nortonQuarantine, "C:\\Q\\");
  sys.fakeRegistry.create(RegRoot::LocalMachine, "Software\\Wow6432Node\\Orvanta Works\\Orvanta Kestrel");
  app::SystemFacts f;
  f.readInstallPath(sys.registry(), "C:\\Kestrel\\");
  EXPECT_EQ(sys.registry().readString(RegRoot::LocalMachine,
                                      "Software\\Wow6432Node\\Orvanta Works\\Orvanta Kestrel",
                                      "InstallPath"),
            "C:\\Kestrel\\");
}

}  // namespace
