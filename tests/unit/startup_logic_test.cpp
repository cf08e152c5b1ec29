// The Run keys and the Startup folder on the fakes: what is listed, in which order, what is
// passed over, and when a deletion counts as done.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fake/fake_files.h"
#include "platform/fake/fake_registry.h"
#include "startup/runkeys.h"
#include "startup/startupfolder.h"

namespace {

using platform::RegRoot;
using platform::RegValue;

const char* const kRun = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const char* const kRunOnce = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
const char* const kRunServices = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunServices";

struct RunKeys : ::testing::Test {
  platform::fake::FakeRegistry registry;
  void put(RegRoot root, const std::string& key, const std::string& name, const RegValue& value) {
    ASSERT_TRUE(registry.create(root, key)->write(name, value));
  }
  void text(RegRoot root, const std::string& key, const std::string& name,
            const std::string& data) {
    put(root, key, name, RegValue{platform::kRegSz, data});
  }
  startup::RunKeyInView own(size_t index) {
    return startup::RunKeyInView{&startup::kRunKeys[index], platform::RegView::Bits64,
                                 startup::kRunKeys[index].label};
  }
  std::vector<std::string> listed(const startup::RunListing& l) {
    std::vector<std::string> out;
    for (const auto& v : l.values)
      out.push_back(v.key.rootName() + "|" + v.key.label + "|" + v.name + "|" + v.data);
    return out;
  }
};

TEST_F(RunKeys, TheTableNamesSevenKeysInListingOrder) {
  std::vector<std::string> keys;
  for (const auto& k : startup::kRunKeys) keys.push_back(k.rootName() + " " + k.label);
  EXPECT_EQ(keys, (std::vector<std::string>{"HKEY_LOCAL_MACHINE Run", "HKEY_LOCAL_MACHINE RunOnce",
                                            "HKEY_LOCAL_MACHINE RunOnceEx",
                                            "HKEY_LOCAL_MACHINE RunServices",
                                            "HKEY_CURRENT_USER Run", "HKEY_CURRENT_USER RunOnce",
                                            "HKEY_CURRENT_USER RunServices"}));
  EXPECT_EQ(startup::findRunKey(registry, "HKEY_CURRENT_USER", "RunOnce")->key, &startup::kRunKeys[5]);
  EXPECT_EQ(startup::findRunKey(registry, "HKEY_CURRENT_USER", "RunOnceEx"), std::nullopt);
  EXPECT_EQ(startup::findRunKey(registry, "HKEY_LOCAL_MACHINE", "run"), std::nullopt);
  EXPECT_EQ(startup::findRunKey(registry, "HKEY_LOCAL_MACHINE", "Run (32-bit)"), std::nullopt);
}

// On 64-bit Windows a 32-bit program registers below HKEY_LOCAL_MACHINE in the 32-bit view.
TEST_F(RunKeys, OnSixtyFourBitWindowsTheMachinesKeysComeInBothViews) {
  registry.sixtyFourBitWindows = true;
  text(RegRoot::LocalMachine, kRun, "native", "n.exe");
  text(RegRoot::LocalMachine, "SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Run",
       "old", "o.exe");
  text(RegRoot::CurrentUser, kRun, "user", "u.exe");
  EXPECT_EQ(listed(startup::listRunValues(registry)),
            (std::vector<std::string>{"HKEY_LOCAL_MACHINE|Run|native|n.exe",
                                      "HKEY_LOCAL_MACHINE|Run (32-bit)|old|o.exe",
                                      "HKEY_CURRENT_USER|Run|user|u.exe"}));
  const auto other = startup::findRunKey(registry, "HKEY_LOCAL_MACHINE", "Run (32-bit)");
  ASSERT_TRUE(other.has_value());
  EXPECT_EQ(other->view, platform::RegView::Bits32);
  // A value of the same name in the other view stays.
  text(RegRoot::LocalMachine, kRun, "old", "64.exe");
  EXPECT_EQ(startup::deleteRunValue(registry, *other, "old"), startup::Deletion::Deleted);
  EXPECT_EQ(startup::runValueNames(registry, own(0)), (std::vector<std::string>{"native", "old"}));
  EXPECT_TRUE(startup::runValueNames(registry, *other).empty());
  EXPECT_EQ(startup::findRunKey(registry, "HKEY_CURRENT_USER", "Run (32-bit)"), std::nullopt);
}

TEST_F(RunKeys, ValuesComeKeyByKeyInTheRegistrysOrder) {
  text(RegRoot::CurrentUser, kRun, "zeta", "z.exe");
  text(RegRoot::LocalMachine, kRunServices, "svc", "s.exe");
  text(RegRoot::LocalMachine, kRun, "Beta", "b.exe");
  text(RegRoot::LocalMachine, kRun, "alpha", "a.exe");
  text(RegRoot::LocalMachine, kRun, "", "default.exe");
  put(RegRoot::LocalMachine, kRunOnce, "expand",
      RegValue{platform::kRegExpandSz, "%WINDIR%\\x.exe"});
  const auto listing = startup::listRunValues(registry);
  EXPECT_EQ(
      listed(listing),
      (std::vector<std::string>{
          "HKEY_LOCAL_MACHINE|Run||default.exe", "HKEY_LOCAL_MACHINE|Run|alpha|a.exe",
          "HKEY_LOCAL_MACHINE|Run|Beta|b.exe", "HKEY_LOCAL_MACHINE|RunOnce|expand|%WINDIR%\\x.exe",
          "HKEY_LOCAL_MACHINE|RunServices|svc|s.exe", "HKEY_CURRENT_USER|Run|zeta|z.exe"}));
  EXPECT_FALSE(listing.firstNonText);
}

TEST_F(RunKeys, ANonTextValueIsPassedOverAndTheOnesAfterItStillShow) {
  text(RegRoot::LocalMachine, kRun, "a", "a.exe");
  put(RegRoot::LocalMachine, kRun, "b",
      RegValue{platform::kRegDword, std::string("\x01\0\0\0", 4)});
  text(RegRoot::LocalMachine, kRun, "c", "c.exe");
  put(RegRoot::LocalMachine, kRun, "d", RegValue{platform::kRegBinary, "\x7f"});
  put(RegRoot::LocalMachine, kRun, "e", RegValue{platform::kRegBinary, ""});
  text(RegRoot::CurrentUser, kRun, "f", std::string("f.exe\0tail", 10));
  const auto listing = startup::listRunValues(registry);
  EXPECT_EQ(listed(listing), (std::vector<std::string>{
                                 "HKEY_LOCAL_MACHINE|Run|a|a.exe", "HKEY_LOCAL_MACHINE|Run|c|c.exe",
                                 "HKEY_LOCAL_MACHINE|Run|e|", "HKEY_CURRENT_USER|Run|f|f.exe"}));
  EXPECT_EQ(listing.firstNonText, "b");
}

TEST_F(RunKeys, LongNamesAndDataStayWhole) {
  for (size_t n : {1u, 255u, 16383u})
    text(RegRoot::CurrentUser, kRunOnce, std::string(n, 'n'), std::string(n, 'd'));
  const auto listing = startup::listRunValues(registry);
  ASSERT_EQ(listing.values.size(), 3u);
  EXPECT_EQ(listing.values[2].name.size(), 16383u);
  EXPECT_EQ(listing.values[2].data.size(), 16383u);
}

// A standard user may read the machine's keys but not change them: they list all the same, and
// a deletion says why it could not be done.
TEST_F(RunKeys, AKeyThatRefusesChangesStillListsButItsDeletionNeedsAnAdministrator) {
  text(RegRoot::LocalMachine, kRun, "locked", "l.exe");
  text(RegRoot::CurrentUser, kRun, "open", "o.exe");
  registry.refuse(RegRoot::LocalMachine, kRun, platform::RegAccess::AllAccess);
  EXPECT_EQ(listed(startup::listRunValues(registry)),
            (std::vector<std::string>{"HKEY_LOCAL_MACHINE|Run|locked|l.exe",
                                      "HKEY_CURRENT_USER|Run|open|o.exe"}));
  EXPECT_EQ(startup::deleteRunValue(registry, own(0), "locked"),
            startup::Deletion::NeedsAdministrator);
  EXPECT_EQ(startup::runValueNames(registry, own(0)), (std::vector<std::string>{"locked"}));
  // A key that refuses even reading lists nothing.
  registry.refuse(RegRoot::LocalMachine, kRun, platform::RegAccess::Read);
  EXPECT_TRUE(startup::runValueNames(registry, own(0)).empty());
}

TEST_F(RunKeys, ADeletionCountsWhenTheValueIsGone) {
  text(RegRoot::CurrentUser, kRun, "one", "1.exe");
  text(RegRoot::CurrentUser, kRun, "two", "2.exe");
  EXPECT_EQ(startup::deleteRunValue(registry, own(4), "one"), startup::Deletion::Deleted);
  EXPECT_EQ(startup::runValueNames(registry, own(4)), (std::vector<std::string>{"two"}));
  // Gone already: nothing to keep.
  EXPECT_EQ(startup::deleteRunValue(registry, own(4), "one"), startup::Deletion::Deleted);
}

TEST(StartupFolder, ReadFromTheMachinesShellFolders) {
  platform::fake::FakeRegistry registry;
  EXPECT_EQ(startup::readStartupFolder(registry), std::nullopt);
  const char* key = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
  auto shellFolders = registry.create(RegRoot::LocalMachine, key);
  EXPECT_EQ(startup::readStartupFolder(registry), "");
  shellFolders->write("Common Startup", RegValue{platform::kRegDword, std::string(4, '\0')});
  EXPECT_EQ(startup::readStartupFolder(registry), "");
  shellFolders->writeString("Common StartUp", "C:\\Start");
  EXPECT_EQ(startup::readStartupFolder(registry), "C:\\Start");
  // Reading is all it takes, so a standard user sees the folder too.
  registry.refuse(RegRoot::LocalMachine, key, platform::RegAccess::AllAccess);
  EXPECT_EQ(startup::readStartupFolder(registry), "C:\\Start");
  registry.refuse(RegRoot::LocalMachine, key, platform::RegAccess::Read);
  EXPECT_EQ(startup::readStartupFolder(registry), std::nullopt);
}

TEST(StartupFolder, FilesOnlyAndNotItsDesktopIni) {
  platform::fake::FakeFiles files;
  files.addFile("C:\\Start\\b.lnk");
  files.addFile("C:\\Start\\Desktop.INI");
  files.addFile("C:\\Start\\readme");
  files.addFile("C:\\Start\\a.lnk", "", platform::kAttrHidden);
  files.addDir("C:\\Start\\Sub");
  EXPECT_EQ(startup::startupFileNames(files, "C:\\Start"),
            (std::vector<std::string>{"a.lnk", "b.lnk", "readme"}));
  EXPECT_TRUE(startup::startupFileNames(files, "C:\\Missing").empty());
}

}  // namespace
