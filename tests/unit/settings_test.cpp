// The settings file: lookups and updates as the profile functions make them, and what a
// refused or unreadable file does.
#include <gtest/gtest.h>

#include "app/inifile.h"
#include "app/settings.h"
#include "app/text.h"

namespace {

TEST(IniText, LooksUpWithoutCaseAndBlanksAndFirstDuplicateWins) {
  const app::IniText ini(
      "; comment\r\n[System]\r\n  temporary = 1 \r\nTemporary=0\r\nUser=\"Jo Bloggs\"\r\nno equals\r\n"
      "[system]\r\nNews=1\r\n");
  EXPECT_EQ(ini.get("SYSTEM", "TEMPORARY"), "1");
  EXPECT_EQ(ini.get("System", "User"), "Jo Bloggs");
  EXPECT_EQ(ini.get("System", "no equals"), std::nullopt);
  EXPECT_EQ(ini.get("System", "News"), std::nullopt);  // only the first section counts
  EXPECT_EQ(ini.get("Rotator", "Loop"), std::nullopt);
}

TEST(IniText, UpdateKeepsEveryOtherLineAndItsOrder) {
  app::IniText ini("; keep me\n[System]\nUser=ann\n\n[Other]\nX=1\n");
  ini.set("system", "user", "bob");
  ini.set("System", "News", "1");
  ini.set("Rotator", "Loop", "3");
  EXPECT_EQ(ini.text(),
            "; keep me\r\n[System]\r\nuser=bob\r\nNews=1\r\n\r\n[Other]\r\nX=1\r\n\r\n[Rotator]\r\nLoop=3\r\n");
}

TEST(IniText, LoneCarriageReturnsAndAMissingFinalLineEndStillSplitLines) {
  const app::IniText ini("[A]\rk=v\r\n[B]\nk=w");
  EXPECT_EQ(ini.get("A", "k"), "v");
  EXPECT_EQ(ini.get("B", "k"), "w");
}

TEST(ParseInteger, ReadsWhatTheFrameworkReads) {
  EXPECT_EQ(app::parseInteger("42"), 42);
  EXPECT_EQ(app::parseInteger(" -7"), -7);
  EXPECT_EQ(app::parseInteger("$1A"), 26);
  EXPECT_EQ(app::parseInteger("0x10"), 16);
  EXPECT_EQ(app::parseInteger("$FFFFFFFF"), -1);
  EXPECT_EQ(app::parseInteger("-2147483648"), INT32_MIN);
  EXPECT_EQ(app::parseInteger("2147483648"), std::nullopt);
  for (const char* bad : {"", "yes", "1 ", "1.5", "-", "0x", "99999999999999999999"})
    EXPECT_EQ(app::parseInteger(bad), std::nullopt) << bad;
}

// A file layer with one file that can be made unwritable or unreadable.
struct OneFile : platform::Files {
  std::optional<std::string> content;
  bool readOnly = false, unreadable = false;
  std::unique_ptr<platform::FindHandle> findFirst(const std::string&, platform::FindData&) override { return nullptr; }
  std::optional<uint32_t> attributes(const std::string&) override {
    if (!content) return std::nullopt;
    return readOnly ? platform::kAttrReadOnly : platform::kAttrArchive;
  }
  std::optional<std::string> readFile(const std::string&, uint64_t limit) override {
    if (unreadable || !content || content->size() > limit) return std::nullopt;
    return content;
  }
  bool writeFile(const std::string&, const std::string& c) override {
    if (readOnly) return false;
    content = c;
    return true;
  }
  std::unique_ptr<platform::OutputFile> createFile(const std::string&) override { return nullptr; }
  bool deleteFile(const std::string&) override { return false; }
  bool copyFile(const std::string&, const std::string&, bool) override { return false; }
  bool createDirectory(const std::string&) override { return false; }
  bool setAttributes(const std::string&, uint32_t) override { return false; }
};

TEST(Settings, AbsentFileAndBadValuesReadAsDefaults) {
  OneFile f;
  app::Settings s(f, "C:\\Kestrel\\qexsys.ini");
  EXPECT_FALSE(s.readBool("System", "Temporary", false));
  EXPECT_TRUE(s.readBool("System", "News", true));
  EXPECT_EQ(s.readString("System", "User", ""), "");
  f.content = "[System]\r\nTemporary=yes\r\nRecycle=-3\r\nLoop=12\r\n";
  EXPECT_FALSE(s.readBool("System", "Temporary", false));
  EXPECT_TRUE(s.readBool("System", "Temporary", true));
  EXPECT_TRUE(s.readBool("System", "Recycle", false));
  EXPECT_EQ(s.readInteger("System", "Loop", 0), 12);
  f.content = std::string("\0\x01\xff[System]\nUser=x", 17);
  EXPECT_EQ(s.readString("System", "User", "d"), "d");
}

TEST(Settings, BooleansAreWrittenAsOneAndZero) {
  OneFile f;
  app::Settings s(f, "C:\\Kestrel\\qexsys.ini");
  for (const char* key : {"SysChange", "InfSound", "SysScan", "SysMonitor"}) s.writeBool("System", key, false);
  s.writeBool("System", "InfSound", true);
  EXPECT_EQ(*f.content, "[System]\r\nSysChange=0\r\nInfSound=1\r\nSysScan=0\r\nSysMonitor=0\r\n");
}

TEST(Settings, RefusedOrUnreadableFileRaisesTheWriteErrorAndKeepsTheFile) {
  OneFile f;
  f.content = "[System]\r\nUser=ann\r\n";
  f.readOnly = true;
  app::Settings s(f, "C:\\Kestrel\\qexsys.ini");
  try {
    s.writeString("System", "User", "bob");
    FAIL() << "no error";
  } catch (const app::SettingsWriteError& e) {
    EXPECT_STREQ(e.what(), "Unable to write to C:\\Kestrel\\qexsys.ini");
  }
  f.readOnly = false;
  f.unreadable = true;
  EXPECT_THROW(s.writeBool("System", "News", true), app::SettingsWriteError);
  EXPECT_EQ(*f.content, "[System]\r\nUser=ann\r\n");
}

}  // namespace
