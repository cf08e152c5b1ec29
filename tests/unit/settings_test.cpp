// The settings file: lookups and updates as the profile functions make them, and what a
// refused or unreadable file does.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "app/config.h"
#include "platform/inifile.h"
#include "app/settings.h"
#include "platform/text.h"
#include "platform/fake/fake_files.h"

namespace {

TEST(IniText, LooksUpWithoutCaseAndBlanksAndFirstDuplicateWins) {
  const platform::IniText ini(
      "; comment\r\n[System]\r\n  temporary = 1 \r\nTemporary=0\r\nUser=\"Jo Bloggs\"\r\nno equals\r\n"
      "[system]\r\nNews=1\r\n");
  EXPECT_EQ(ini.get("SYSTEM", "TEMPORARY"), "1");
  EXPECT_EQ(ini.get("System", "User"), "Jo Bloggs");
  EXPECT_EQ(ini.get("System", "no equals"), std::nullopt);
  EXPECT_EQ(ini.get("System", "News"), std::nullopt);  // only the first section counts
  EXPECT_EQ(ini.get("Rotator", "Loop"), std::nullopt);
}

TEST(IniText, UpdateKeepsEveryOtherLineAndItsOrder) {
  platform::IniText ini("; keep me\n[System]\nUser=ann\n\n[Other]\nX=1\n");
  ini.set("system", "user", "bob");
  ini.set("System", "News", "1");
  ini.set("Rotator", "Loop", "3");
  EXPECT_EQ(ini.text(),
            "; keep me\r\n[System]\r\nuser=bob\r\nNews=1\r\n\r\n[Other]\r\nX=1\r\n\r\n[Rotator]\r\nLoop=3\r\n");
}

// A login name is typed by the user: one with a line break must not write keys of its own.
TEST(IniText, AValueIsKeptUpToItsFirstLineBreak) {
  platform::IniText ini("[System]\r\nMember=0\r\n");
  ini.set("System", "User", "bob\r\nMember=1\n[Rotator]\rLoop=9");
  EXPECT_EQ(ini.text(), "[System]\r\nMember=0\r\nUser=bob\r\n");
  ini.set("System", "User", "\nann");
  EXPECT_EQ(ini.get("System", "User"), "");
}

TEST(IniText, LoneCarriageReturnsAndAMissingFinalLineEndStillSplitLines) {
  const platform::IniText ini("[A]\rk=v\r\n[B]\nk=w");
  EXPECT_EQ(ini.get("A", "k"), "v");
  EXPECT_EQ(ini.get("B", "k"), "w");
}

TEST(ParseInteger, ReadsWhatTheFrameworkReads) {
  EXPECT_EQ(platform::parseInteger("42"), 42);
  EXPECT_EQ(platform::parseInteger(" -7"), -7);
  EXPECT_EQ(platform::parseInteger("$1A"), 26);
  EXPECT_EQ(platform::parseInteger("0x10"), 16);
  EXPECT_EQ(platform::parseInteger("$FFFFFFFF"), -1);
  EXPECT_EQ(platform::parseInteger("-2147483648"), INT32_MIN);
  EXPECT_EQ(platform::parseInteger("2147483648"), std::nullopt);
  for (const char* bad : {"", "yes", "1 ", "1.5", "-", "0x", "99999999999999999999"})
    EXPECT_EQ(platform::parseInteger(bad), std::nullopt) << bad;
}

TEST(NumberText, GroupsThousandsAndWritesTwoDecimalsWithTheUsersSeparators) {
  EXPECT_EQ(platform::groupThousands(0, ","), "0");
  EXPECT_EQ(platform::groupThousands(999, ","), "999");
  EXPECT_EQ(platform::groupThousands(1000, "\xA0"), "1\xA0" "000");
  EXPECT_EQ(platform::groupThousands(1234567, "'"), "1'234'567");
  EXPECT_EQ(platform::groupThousands(UINT64_MAX, ","), "18,446,744,073,709,551,615");
  EXPECT_EQ(platform::twoDecimals(0, ','), "0,00");
  EXPECT_EQ(platform::twoDecimals(1.005e3, '.'), "1005.00");
  EXPECT_EQ(platform::twoDecimals(12.5, ','), "12,50");
  // Far beyond any disk, still in full.
  EXPECT_EQ(platform::twoDecimals(1e300, '.').size(), 304u);
}

// The program folder on the in-memory tree, with a settings file of several keys.
class SettingsFile : public ::testing::Test {
 protected:
  static constexpr const char* kDir = "C:\\Kestrel\\";
  static constexpr const char* kOld =
      "[System]\r\nUser=ann\r\nRecycle=1\r\n\r\n[Rotator]\r\nLoop=4\r\n";
  platform::fake::FakeFiles files;
  const std::string path = std::string(kDir) + "qexsys.ini";
  std::vector<std::string> told;  // what the reporter heard
  app::Settings settings{files, path, [this](const std::string& p) { told.push_back(p); }};

  void SetUp() override { files.addDir(kDir); }
  // Every name in the program folder, so that a file left behind shows.
  std::vector<std::string> folder() {
    std::vector<std::string> names;
    platform::FindData d;
    auto find = files.findFirst(std::string(kDir) + "*.*", d);
    if (!find) return names;
    do
      if (!d.isDotEntry()) names.push_back(d.name);
    while (find->next(d));
    return names;
  }
  void expectRefused(const std::function<void()>& write) {
    try {
      write();
      ADD_FAILURE() << "no error";
    } catch (const app::SettingsWriteError& e) {
      EXPECT_STREQ(e.what(), "Unable to write to C:\\Kestrel\\qexsys.ini");
    }
    ASSERT_FALSE(told.empty()) << "the refusal was not told";
    EXPECT_EQ(told.back(), path);
  }
};

TEST_F(SettingsFile, AbsentFileAndBadValuesReadAsDefaults) {
  EXPECT_FALSE(settings.readBool("System", "Temporary", false));
  EXPECT_TRUE(settings.readBool("System", "News", true));
  EXPECT_EQ(settings.readString("System", "User", ""), "");
  files.addFile(path, "[System]\r\nTemporary=yes\r\nRecycle=-3\r\nLoop=12\r\n");
  EXPECT_FALSE(settings.readBool("System", "Temporary", false));
  EXPECT_TRUE(settings.readBool("System", "Temporary", true));
  EXPECT_TRUE(settings.readBool("System", "Recycle", false));
  EXPECT_EQ(settings.readInteger("System", "Loop", 0), 12);
  files.addFile(path, std::string("\0\x01\xff[System]\nUser=x", 17));
  EXPECT_EQ(settings.readString("System", "User", "d"), "d");
}

TEST_F(SettingsFile, BooleansAreWrittenAsOneAndZeroIntoANewFile) {
  for (const char* key : {"SysChange", "InfSound", "SysScan", "SysMonitor"})
    settings.writeBool("System", key, false);
  settings.writeBool("System", "InfSound", true);
  EXPECT_EQ(files.readFile(path, 1000),
            "[System]\r\nSysChange=0\r\nInfSound=1\r\nSysScan=0\r\nSysMonitor=0\r\n");
  EXPECT_EQ(folder(), std::vector<std::string>{"qexsys.ini"});
}

TEST_F(SettingsFile, DiskFullHalfWayKeepsEveryOldSettingAndLeavesNothingBehind) {
  files.addFile(path, kOld);
  // Room for part of the new text only.
  files.setWriteBudget(20);
  expectRefused([&] { settings.writeString("System", "User", "bob"); });
  EXPECT_EQ(files.readFile(path, 1000), kOld);
  EXPECT_EQ(folder(), std::vector<std::string>{"qexsys.ini"});
  files.setWriteBudget(std::nullopt);
  settings.writeString("System", "User", "bob");
  EXPECT_EQ(settings.readString("System", "User", ""), "bob");
  EXPECT_EQ(settings.readInteger("Rotator", "Loop", 0), 4);
}

TEST_F(SettingsFile, HiddenSystemFileIsRewrittenAndStaysHiddenAndSystem) {
  files.addFile(path, kOld, platform::kAttrHidden | platform::kAttrSystem);
  // What a write cut short by a power cut may have left, hidden already.
  const uint32_t leftover = platform::kAttrHidden | platform::kAttrReadOnly;
  files.addFile(std::string(kDir) + "qexsys.tmp", "[Sys", leftover);
  settings.writeBool("System", "Recycle", false);
  EXPECT_EQ(files.readFile(path, 1000),
            "[System]\r\nUser=ann\r\nRecycle=0\r\n\r\n[Rotator]\r\nLoop=4\r\n");
  EXPECT_EQ(files.attributes(path),
            platform::kAttrHidden | platform::kAttrSystem | platform::kAttrArchive);
  EXPECT_EQ(folder(), std::vector<std::string>{"qexsys.ini"});
}

TEST_F(SettingsFile, RefusedOrUnreadableFileRaisesTheWriteErrorAndKeepsTheFile) {
  files.addFile(path, kOld, platform::kAttrReadOnly);
  expectRefused([&] { settings.writeString("System", "User", "bob"); });
  EXPECT_EQ(files.readFile(path, 1000), kOld);
  EXPECT_EQ(files.attributes(path), platform::kAttrReadOnly);
  files.setAttributes(path, platform::kAttrArchive);
  files.makeUnreadable(path);
  expectRefused([&] { settings.writeBool("System", "News", true); });
  files.remove(path);
  files.addDir(path);
  expectRefused([&] { settings.writeBool("System", "News", true); });
  EXPECT_EQ(folder(), std::vector<std::string>{"qexsys.ini"});
  EXPECT_TRUE(files.directoryExists(path));
}

TEST_F(SettingsFile, FileHeldOpenElsewhereIsNotReplacedAndItsNewTextGoes) {
  files.addFile(path, kOld);
  auto holder = files.createFile(path);
  ASSERT_TRUE(holder);
  expectRefused([&] { settings.writeString("System", "User", "bob"); });
  EXPECT_EQ(folder(), std::vector<std::string>{"qexsys.ini"});
}

TEST_F(SettingsFile, AddressesComeFromTheirSectionAndAMissingKeyKeepsItsDefault) {
  files.addFile(path,
                "[Addresses]\r\nConnectionTest=http://127.0.0.1:9/\r\nCommunityHost=127.0.0.1:8\r\n");
  app::Config config;
  const std::string vendorSite = config.vendorSite;
  config.load(settings);
  EXPECT_EQ(config.connectionTest, "http://127.0.0.1:9/");
  EXPECT_EQ(config.community("/forum/"), "http://127.0.0.1:8/forum/");
  EXPECT_EQ(config.vendorSite, vendorSite);
}

}  // namespace
