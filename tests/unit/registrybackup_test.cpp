// The registry backup of a scan: values of every type as regedit reads them back, the lines
// regedit wraps, names the format cannot carry, and the file a scan leaves in Quarantined.
#include "scan/registrybackup.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/fake/fake_services.h"
#include "scan/regedittext.h"
#include "scan/scanphases.h"
#include "scan/scanrun.h"
#include "scan/scramble.h"

namespace {

using platform::RegRoot;
using platform::RegValue;

std::string bytes(std::initializer_list<int> list) {
  std::string out;
  for (int b : list) out += static_cast<char>(b);
  return out;
}

TEST(RegeditText, StringsAreQuotedWithTheirBackslashesAndQuotesEscaped) {
  EXPECT_EQ(scan::regeditValueLines("Path", RegValue{platform::kRegSz, "C:\\a \"b\"\\"}),
            "\"Path\"=\"C:\\\\a \\\"b\\\"\\\\\"\r\n");
  EXPECT_EQ(scan::regeditValueLines("", RegValue{platform::kRegSz, "default"}),
            "@=\"default\"\r\n");
  EXPECT_EQ(scan::regeditValueLines("a\\\"b", RegValue{platform::kRegSz, ""}),
            "\"a\\\\\\\"b\"=\"\"\r\n");
  EXPECT_EQ(scan::regeditValueLines("x", RegValue{platform::kRegSz, "caf\xE9;[k]=@"}),
            "\"x\"=\"caf\xE9;[k]=@\"\r\n");
}

TEST(RegeditText, TextThatQuotesCannotCarryIsWrittenAsItsBytes) {
  // A line break would end the line; a zero byte would end the text.
  EXPECT_EQ(scan::regeditValueLines("x", RegValue{platform::kRegSz, "a\r\nb"}),
            "\"x\"=hex(1):61,0d,0a,62,00\r\n");
  EXPECT_EQ(scan::regeditValueLines("x", RegValue{platform::kRegSz, std::string("a\0b", 3)}),
            "\"x\"=hex(1):61,00,62,00\r\n");
  EXPECT_EQ(scan::regeditValueLines("x", RegValue{platform::kRegExpandSz, "%W%"}),
            "\"x\"=hex(2):25,57,25,00\r\n");
  EXPECT_EQ(
      scan::regeditValueLines("x", RegValue{platform::kRegMultiSz, std::string("a\0b\0\0", 5)}),
      "\"x\"=hex(7):61,00,62,00,00\r\n");
  EXPECT_EQ(scan::regeditValueLines("x", RegValue{platform::kRegMultiSz, ""}), "\"x\"=hex(7):\r\n");
}

TEST(RegeditText, NumbersAndRawTypes) {
  EXPECT_EQ(scan::regeditValueLines("d", RegValue{platform::kRegDword, bytes({0x2a, 0, 0, 0})}),
            "\"d\"=dword:0000002a\r\n");
  EXPECT_EQ(scan::regeditValueLines("d", RegValue{platform::kRegDword, bytes({1, 2, 3, 0xfe})}),
            "\"d\"=dword:fe030201\r\n");
  // A double word of another length is kept byte for byte.
  EXPECT_EQ(scan::regeditValueLines("d", RegValue{platform::kRegDword, bytes({1, 2})}),
            "\"d\"=hex(4):01,02\r\n");
  EXPECT_EQ(scan::regeditValueLines("b", RegValue{platform::kRegBinary, bytes({0, 0xff})}),
            "\"b\"=hex:00,ff\r\n");
  EXPECT_EQ(scan::regeditValueLines("b", RegValue{platform::kRegBinary, ""}), "\"b\"=hex:\r\n");
  EXPECT_EQ(scan::regeditValueLines("q", RegValue{11, bytes({1, 0, 0, 0, 0, 0, 0, 0})}),
            "\"q\"=hex(b):01,00,00,00,00,00,00,00\r\n");
  EXPECT_EQ(scan::regeditValueLines("n", RegValue{platform::kRegNone, ""}), "\"n\"=hex(0):\r\n");
}

TEST(RegeditText, LongHexDataWrapsAsRegeditWrapsIt) {
  const std::string text =
      scan::regeditValueLines("Bin", RegValue{platform::kRegBinary, std::string(60, '\x11')});
  // The comma that takes a line to 77 characters ends it: 23 bytes after "\"Bin\"=hex:",
  // then 25 bytes on each following line, which starts with two blanks.
  std::string expected = "\"Bin\"=hex:";
  for (int i = 0; i < 23; ++i) expected += "11,";
  expected += "\\\r\n  ";
  for (int i = 0; i < 25; ++i) expected += "11,";
  expected += "\\\r\n  ";
  for (int i = 0; i < 11; ++i) expected += "11,";
  expected += "11\r\n";
  EXPECT_EQ(text, expected);
  // The last byte ends the data without a comma, so it never starts a line of its own.
  auto binary = [](size_t n) {
    return scan::regeditValueLines("Bin", RegValue{platform::kRegBinary, std::string(n, '\x11')});
  };
  EXPECT_EQ(binary(23).find('\\'), std::string::npos);
  EXPECT_EQ(binary(24).substr(binary(24).size() - 12), "11,\\\r\n  11\r\n");
}

TEST(RegeditText, NamesWithLineBreaksOrZerosCannotBeWritten) {
  EXPECT_TRUE(scan::regeditCanName("ok [x] \"q\" \\ ;"));
  EXPECT_TRUE(scan::regeditCanName(""));
  EXPECT_FALSE(scan::regeditCanName("a\nb"));
  EXPECT_FALSE(scan::regeditCanName("a\rb"));
  EXPECT_FALSE(scan::regeditCanName(std::string("a\0b", 3)));
  EXPECT_EQ(scan::regeditKeyLine(RegRoot::ClassesRoot, "CLSID\\{x}"),
            "\r\n[HKEY_CLASSES_ROOT\\CLSID\\{x}]\r\n");
}

class RegistryBackupTest : public ::testing::Test {
 protected:
  platform::fake::FakeServices sys;
  const std::string folder = "C:\\Program Files\\Orvanta\\Quarantined";
  scan::RegistryBackup backup{sys.files(), sys.system(), folder};

  std::string file(const std::string& path) {
    return sys.files().readFile(path, 1 << 20).value_or("(no file)");
  }
};

TEST_F(RegistryBackupTest, AKeyIsWrittenWithItsValuesAndSubkeysInTheRegistrysSpelling) {
  auto key = sys.registry().create(RegRoot::CurrentUser, "Software\\Vendor\\BadTool");
  key->writeString("", "default");
  key->write("Count", RegValue{platform::kRegDword, bytes({5, 0, 0, 0})});
  sys.registry()
      .create(RegRoot::CurrentUser, "Software\\Vendor\\BadTool\\Sub\\Deep")
      ->writeString("v", "1");
  sys.registry().create(RegRoot::CurrentUser, "Software\\Vendor\\BadTool\\Empty");
  sys.fakeSystem.nowUtc = 127343664000000000ull + 5 * 600000000ull + 7 * 10000000ull;

  ASSERT_TRUE(backup.saveKey(sys.registry(), RegRoot::CurrentUser, "software\\vendor\\BADTOOL"));
  const std::string path = folder + "\\Registry backup 2004-07-15 12-05-07.reg";
  EXPECT_EQ(backup.filePath(), path);
  backup.close();
  EXPECT_EQ(file(path),
            "REGEDIT4\r\n"
            "\r\n[HKEY_CURRENT_USER\\software\\vendor\\BadTool]\r\n"
            "@=\"default\"\r\n"
            "\"Count\"=dword:00000005\r\n"
            "\r\n[HKEY_CURRENT_USER\\software\\vendor\\BadTool\\Empty]\r\n"
            "\r\n[HKEY_CURRENT_USER\\software\\vendor\\BadTool\\Sub]\r\n"
            "\r\n[HKEY_CURRENT_USER\\software\\vendor\\BadTool\\Sub\\Deep]\r\n"
            "\"v\"=\"1\"\r\n");

  // The next scan's file takes another name, even within the same second.
  scan::RegistryBackup next(sys.files(), sys.system(), folder);
  auto run = sys.registry().create(RegRoot::LocalMachine, "Software\\Run");
  run->writeString("BadRun", "evil.exe");
  ASSERT_TRUE(next.saveValue(sys.registry(), RegRoot::LocalMachine, "Software\\Run", *run, "badrun"));
  EXPECT_EQ(next.filePath(), folder + "\\Registry backup 2004-07-15 12-05-07 (2).reg");
  next.close();
  EXPECT_EQ(file(next.filePath()),
            "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Run]\r\n\"BadRun\"=\"evil.exe\"\r\n");
  EXPECT_FALSE(next.saveValue(sys.registry(), RegRoot::LocalMachine, "Software\\Run", *run, "Missing"));
}

// A scan saves many entries of one key: each keeps the registry's spelling, whichever came first.
TEST_F(RegistryBackupTest, EntriesOfTheSameKeyKeepTheirOwnSpelling) {
  for (const char* name : {"Software\\BadOne", "Software\\BadTwo"})
    sys.registry().create(RegRoot::CurrentUser, name);
  auto run = sys.registry().create(RegRoot::LocalMachine, "Software\\Run");
  run->writeString("EvilA", "a.exe");
  run->writeString("EvilB", "b.exe");
  sys.fakeSystem.nowUtc = 127343664000000000ull;
  ASSERT_TRUE(backup.saveKey(sys.registry(), RegRoot::CurrentUser, "Software\\badone"));
  ASSERT_TRUE(backup.saveKey(sys.registry(), RegRoot::CurrentUser, "Software\\BADTWO"));
  ASSERT_TRUE(backup.saveValue(sys.registry(), RegRoot::LocalMachine, "Software\\Run", *run, "evila"));
  ASSERT_TRUE(backup.saveValue(sys.registry(), RegRoot::LocalMachine, "Software\\Run", *run, "EVILB"));
  backup.close();
  EXPECT_EQ(file(backup.filePath()),
            "REGEDIT4\r\n"
            "\r\n[HKEY_CURRENT_USER\\Software\\BadOne]\r\n"
            "\r\n[HKEY_CURRENT_USER\\Software\\BadTwo]\r\n"
            "\r\n[HKEY_LOCAL_MACHINE\\Software\\Run]\r\n\"EvilA\"=\"a.exe\"\r\n"
            "\r\n[HKEY_LOCAL_MACHINE\\Software\\Run]\r\n\"EvilB\"=\"b.exe\"\r\n");
}

TEST_F(RegistryBackupTest, WhatCannotBeSavedWholeIsRefused) {
  auto bad = sys.registry().create(RegRoot::CurrentUser, "Software\\Bad");
  bad->writeString("line\nbreak", "x");
  EXPECT_FALSE(backup.saveKey(sys.registry(), RegRoot::CurrentUser, "Software\\Bad"));
  sys.registry().create(RegRoot::CurrentUser, "Software\\Nested\\a\r\n[HKEY_LOCAL_MACHINE\\x]");
  EXPECT_FALSE(backup.saveKey(sys.registry(), RegRoot::CurrentUser, "Software\\Nested"));
  EXPECT_FALSE(backup.saveKey(sys.registry(), RegRoot::CurrentUser, "Software\\Missing"));
  EXPECT_FALSE(backup.saveKey(sys.registry(), RegRoot::CurrentUser, ""));
  EXPECT_EQ(backup.filePath(), "");  // nothing written, no file
  EXPECT_FALSE(sys.files().directoryExists(folder));

  // A subkey that cannot even be read stays out, as it stays in the registry.
  sys.registry().create(RegRoot::CurrentUser, "Software\\Mixed\\Hidden")->writeString("h", "1");
  sys.fakeRegistry.refuse(RegRoot::CurrentUser, "Software\\Mixed\\Hidden",
                          platform::RegAccess::Read);
  EXPECT_TRUE(backup.saveKey(sys.registry(), RegRoot::CurrentUser, "Software\\Mixed"));
  backup.close();
  EXPECT_EQ(file(backup.filePath()), "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Mixed]\r\n");
}

// A link in a listed key is deleted as the link, so what it leads to is no part of the backup.
TEST_F(RegistryBackupTest, ALinkIsNamedButWhatItLeadsToIsNotSaved) {
  auto victim = sys.registry().create(RegRoot::LocalMachine, "Software\\Victim");
  victim->writeString("precious", "data");
  sys.registry().create(RegRoot::LocalMachine, "Software\\Victim\\Inner");
  sys.registry().create(RegRoot::CurrentUser, "Software\\X")->writeString("own", "1");
  ASSERT_TRUE(sys.fakeRegistry.createLink(RegRoot::CurrentUser, "Software\\X\\Door",
                                          RegRoot::LocalMachine, "Software\\Victim"));
  ASSERT_TRUE(sys.fakeRegistry.createLink(RegRoot::CurrentUser, "Software\\Gate",
                                          RegRoot::LocalMachine, "Software\\Victim"));

  ASSERT_TRUE(backup.saveKey(sys.registry(), RegRoot::CurrentUser, "Software\\X"));
  ASSERT_TRUE(backup.saveKey(sys.registry(), RegRoot::CurrentUser, "Software\\Gate"));
  backup.close();
  EXPECT_EQ(file(backup.filePath()),
            "REGEDIT4\r\n"
            "\r\n[HKEY_CURRENT_USER\\Software\\X]\r\n\"own\"=\"1\"\r\n"
            "\r\n; [HKEY_CURRENT_USER\\Software\\X\\Door] was a registry link to "
            "\\Registry\\Machine\\Software\\Victim\r\n"
            "\r\n; [HKEY_CURRENT_USER\\Software\\Gate] was a registry link to "
            "\\Registry\\Machine\\Software\\Victim\r\n");
}

TEST_F(RegistryBackupTest, NoFileMeansNoSave) {
  sys.fakeFiles.addFile(folder, "a file where the folder belongs");
  sys.registry().create(RegRoot::CurrentUser, "Software\\Bad");
  EXPECT_FALSE(backup.saveKey(sys.registry(), RegRoot::CurrentUser, "Software\\Bad"));

  // A write that fails (the disk is full) fails this save and every later one of the scan.
  platform::fake::FakeServices other;
  other.fakeFiles.setWriteBudget(40);
  auto key = other.registry().create(RegRoot::CurrentUser, "Software\\Bad");
  key->write("big", RegValue{platform::kRegBinary, std::string(100, 'x')});
  other.registry().create(RegRoot::CurrentUser, "Software\\Small");
  scan::RegistryBackup full(other.files(), other.system(), folder);
  EXPECT_FALSE(full.saveKey(other.registry(), RegRoot::CurrentUser, "Software\\Bad"));
  other.fakeFiles.setWriteBudget(std::nullopt);
  EXPECT_FALSE(full.saveKey(other.registry(), RegRoot::CurrentUser, "Software\\Small"));
}

// A scan deletes only what its backup holds.
TEST(ScanBackup, TheScanSavesEveryDeletionToOneFileAndSkipsWhatItCannotSave) {
  platform::fake::FakeServices sys;
  const std::string programDir = "C:\\Program Files\\Orvanta\\";
  auto list = [&](size_t phase, const std::string& line) {
    sys.fakeFiles.addFile(programDir + scan::kScanPhases[phase].listName,
                          scan::scrambleText(line) + "\r\n");
  };
  for (size_t phase = 0; phase < scan::kScanPhases.size(); ++phase) list(phase, "nothing");
  sys.registry().create(RegRoot::ClassesRoot, "BadType")->writeString("", "x");
  sys.registry().create(RegRoot::CurrentUser, "Software\\Odd")->writeString("two\r\nlines", "x");
  sys.registry()
      .create(RegRoot::LocalMachine, "software\\microsoft\\windows\\currentversion\\run")
      ->writeString("BadRun", "evil.exe");
  list(1, "\\BadType");
  list(4, "\\Software\\Odd");
  list(6, "BadRun");

  struct Quiet : scan::ScanView {
    std::vector<std::string> rows;
    void showPhase(const std::string&) override {}
    void showItem(const std::string&, bool) override {}
    void showItemsScanned(const std::string&) override {}
    void pause(uint32_t) override {}
    void processMessages() override {}
    bool stopRequested() override { return false; }
    void fileFound(const std::string&, int32_t) override {}
    void keyFound(const std::string& caption, const std::string& state, int32_t) override {
      rows.push_back(caption + " " + state);
    }
    void keyRemovedLater(int32_t) override {}
  void detectionSound() override {}
    void listError(const std::string&) override {}
    void scanComplete(const End&) override {}
    bool confirmDeleteWithoutBackup(const std::string&) override { return false; }
    void tell(const std::string&) override {}
  } view;
  scan::ScanRun run(
      scan::ScanSetup{sys.registry(), sys.files(), sys.system(), programDir, "C:\\WINDOWS"}, view);
  run.run();

  EXPECT_EQ(view.rows, (std::vector<std::string>{"HKEY_CLASSES_ROOT\\BadType Removed",
                                                 "HKEY_CURRENT_USER\\Software\\Odd Not removed"}));
  EXPECT_NE(sys.registry().open(RegRoot::CurrentUser, "Software\\Odd", platform::RegAccess::Read),
            nullptr);
  EXPECT_EQ(sys.files().readFile(run.backupFile(), 1 << 20),
            "REGEDIT4\r\n"
            "\r\n[HKEY_CLASSES_ROOT\\BadType]\r\n@=\"x\"\r\n"
            "\r\n[HKEY_LOCAL_MACHINE\\software\\microsoft\\windows\\currentversion\\run]\r\n"
            "\"BadRun\"=\"evil.exe\"\r\n");
}

}  // namespace
