// The Software Wizard's system report: its lines in order from a record of facts, the facts
// as the registry and the system give them (missing, odd and failing entries included), and
// the mail hand-off of the report.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fake/fake_mail.h"
#include "platform/fake/fake_registry.h"
#include "platform/fake/fake_system.h"
#include "sysinfo/inventoryfacts.h"
#include "sysinfo/inventoryreport.h"
#include "sysinfo/reportmail.h"

namespace {

using namespace sysinfo;
using platform::RegRoot;

uint32_t& drive(InventoryFacts& f, char letter) { return f.machine.driveTypes[letter - 'A']; }

TEST(InventoryReport, EighteenStepsInTheirOrder) {
  InventoryFacts f;
  f.desktop = {"Microsoft Windows XP",
               "C:\\WINDOWS",
               "Running Processes: 23",
               "Firefox",
               "4.09.00.0904",
               32,
               1280,
               1024};
  f.software.processorName = "Intel(R) Pentium(R) 4 CPU 2.80GHz";
  f.software.servicePack = "Service Pack 2";
  f.software.players = {true, false, true, false};  // QuickTime and RealPlayer
  f.machine.memory = {536000000, 300ull << 20};
  const std::pair<char, uint32_t> drives[] = {{'A', 2}, {'B', 0}, {'C', 3}, {'D', 5}, {'E', 1},
                                              {'F', 4}, {'R', 6}, {'X', 7}, {'Z', 3}};
  for (auto [letter, type] : drives) drive(f, letter) = type;
  f.machine.soundCard = true;

  const std::vector<std::string> expected = {"Microsoft Windows XP",
                                             "Service Pack 2",
                                             "Location: C:\\WINDOWS",
                                             "Running Processes: 23",
                                             "Default browser: Firefox",
                                             "",
                                             "Intel(R) Pentium(R) 4 CPU 2.80GHz",
                                             "RAM installed: 512 MB",
                                             "RAM in use: 213 MB",
                                             "",
                                             "A: is removable",
                                             "C: is fixed",
                                             "D: is CD-ROM",
                                             "F: is network drive",
                                             "R: is RAM disk",
                                             "X:",
                                             "Z: is fixed",
                                             "",
                                             "Screen resolution: 1280x1024",
                                             "Color quality: 32 bit",
                                             "DirectX version: 4.09.00.0904",
                                             "Sound card detected",
                                             "",
                                             "QuickTime Player installed",
                                             "Real Player installed",
                                             "Windows Media Player not installed",
                                             "DivX Player not installed"};
  EXPECT_EQ(inventoryReport(f), expected);
}

TEST(InventoryReport, WhatIsMissingLeavesEmptyTextsAndNoDriveLines) {
  InventoryFacts f;
  f.desktop.browserName = "firefox";  // only the exact name is Firefox
  const auto lines = inventoryReport(f);
  // Empty service pack and processor lines keep their places; no drive line sits between the
  // two empty lines around the drives.
  ASSERT_EQ(lines.size(), 20u);
  EXPECT_EQ(lines[1], "");
  EXPECT_EQ(lines[4], "Default browser: Internet Explorer");
  EXPECT_EQ(lines[6], "");
  EXPECT_EQ(lines[11], "Screen resolution: 0x0");
  EXPECT_EQ(lines[13], "DirectX version: ");
}

TEST(InventoryReport, MemoryFiguresKeepTheirRoundingBeyondFourGigabytes) {
  EXPECT_EQ(ramInstalledMb(16ull << 30), 16385u);
  EXPECT_EQ(ramInUseMb(16ull << 30, 4ull << 30), 12290u);
  EXPECT_EQ(ramInstalledMb((512ull << 20) - 1), 512u);
  EXPECT_EQ(ramInUseMb(1ull << 30, 2ull << 30), 2u);  // more available than installed
}

class InventoryFactsTest : public ::testing::Test {
 protected:
  void value(const std::string& key, const std::string& name, uint32_t type,
             const std::string& data) {
    registry.create(RegRoot::LocalMachine, key)->write(name, platform::RegValue{type, data});
  }
  static constexpr const char* kCpu = "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0";
  platform::fake::FakeRegistry registry;
  platform::fake::FakeSystem system;
};

TEST_F(InventoryFactsTest, RegistryEntriesAsTheReportShowsThem) {
  value(kCpu, "ProcessorNameString", platform::kRegSz, "   Intel(R) Core(TM) i5\r\nsecond line");
  value("SOFTWARE\\Apple Computer, Inc.\\QuickTime", "InstallDir", platform::kRegSz, "C:\\QT");
  value("SOFTWARE\\DivXNetworks\\DivX Player", "InstallDir", platform::kRegSz, "");
  value("SOFTWARE\\RealNetworks\\RealPlayer", "install", platform::kRegDword, std::string(4, '\1'));
  value("SOFTWARE\\Microsoft\\Multimedia\\WMPlayer", "Player.Path", platform::kRegExpandSz, "%x%");
  registry.refuse(RegRoot::LocalMachine, "SOFTWARE\\Microsoft\\Multimedia\\WMPlayer",
                  platform::RegAccess::Read);
  value("SOFTWARE\\Microsoft\\DirectX", "Version", platform::kRegBinary, "4.09.00.0904");

  const InstalledSoftware soft = readInstalledSoftware(registry);
  EXPECT_EQ(soft.processorName, "Intel(R) Core(TM) i5");
  EXPECT_EQ(soft.servicePack, "");  // no CSDVersion
  EXPECT_EQ(soft.players, (std::array<bool, kPlayers>{true, false, false, false}));
  EXPECT_EQ(readDirectXVersion(registry), "");

  value(kCpu, "ProcessorNameString", platform::kRegSz, std::string(1000, 'x'));
  value("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "CSDVersion", platform::kRegSz,
        "Service Pack 1");
  value("SOFTWARE\\Microsoft\\DirectX", "Version", platform::kRegSz, "4.09.00.0904");
  EXPECT_EQ(readInstalledSoftware(registry).processorName, std::string(255, 'x'));
  EXPECT_EQ(readInstalledSoftware(registry).servicePack, "Service Pack 1");
  EXPECT_EQ(readDirectXVersion(registry), "4.09.00.0904");

  EXPECT_EQ(processorNameText("    "), "    ");
  EXPECT_EQ(processorNameText("\tCPU"), "\tCPU");
  EXPECT_EQ(processorNameText(""), "");
}

// A 32-bit player registers in the 32-bit view of 64-bit Windows.
TEST_F(InventoryFactsTest, APlayerOfEitherViewIsInstalled) {
  registry.sixtyFourBitWindows = true;
  value("SOFTWARE\\Wow6432Node\\RealNetworks\\RealPlayer", "install", platform::kRegSz, "C:\\Real");
  value("SOFTWARE\\Microsoft\\Multimedia\\WMPlayer", "Player.Path", platform::kRegSz, "C:\\wmp.exe");
  EXPECT_EQ(readInstalledSoftware(registry).players,
            (std::array<bool, kPlayers>{false, false, true, true}));
  registry.sixtyFourBitWindows = false;
  EXPECT_EQ(readInstalledSoftware(registry).players,
            (std::array<bool, kPlayers>{false, false, false, true}));
}

TEST_F(InventoryFactsTest, TheSystemsDrivesMemoryAndSound) {
  system.memory = {6ull << 30, 1ull << 30};
  system.drives['D'] = platform::fake::FakeDrive{5, std::nullopt, std::nullopt};
  system.drives['E'] = platform::fake::FakeDrive{0, std::nullopt, std::nullopt};  // the query fails
  system.waves = 0;
  system.midis = 0;
  MachineState state = readMachineState(system);
  EXPECT_EQ(state.memory.totalPhys, 6ull << 30);
  std::array<uint32_t, 26> types;
  types.fill(1);
  types['C' - 'A'] = 3;
  types['D' - 'A'] = 5;
  types['E' - 'A'] = 0;
  EXPECT_EQ(state.driveTypes, types);
  EXPECT_FALSE(state.soundCard);
  system.midis = 1;
  EXPECT_TRUE(readMachineState(system).soundCard);
}

class ReportMail : public InventoryFactsTest {
 protected:
  ReportMail() {
    value("SOFTWARE\\Microsoft\\Windows Messaging Subsystem", "MAPI", platform::kRegSz, "1");
    system.nowUtc = kAfternoon;
  }
  static constexpr platform::FileTime kMidnight = 127343232000000000ull;  // 2004-07-15 00:00 UTC
  static constexpr platform::FileTime kAfternoon = kMidnight + 54309 * 10000000ull;  // 15:05:09
  bool send() { return mailReport(mail, registry, system, 42, "the report"); }
  platform::fake::FakeMail mail;
};

TEST_F(ReportMail, TheSubjectCarriesDateAndTimeOrTheDateAloneAtMidnight) {
  EXPECT_EQ(reportMailSubject(system), "Orvanta Kestrel 7/15/2004 3:05:09 PM");
  system.nowUtc = kMidnight;
  EXPECT_EQ(reportMailSubject(system), "Orvanta Kestrel 7/15/2004");
  system.nowUtc = kMidnight + 10000;  // one millisecond later
  EXPECT_EQ(reportMailSubject(system), "Orvanta Kestrel 7/15/2004 12:00:00 AM");
}

TEST_F(ReportMail, TheMailProgramGetsSubjectAndBodyAndItsAnswerCounts) {
  EXPECT_TRUE(send());
  ASSERT_EQ(mail.sent.size(), 1u);
  EXPECT_EQ(mail.sent[0].parent, 42u);
  EXPECT_EQ(mail.sent[0].subject, "Orvanta Kestrel 7/15/2004 3:05:09 PM");
  EXPECT_EQ(mail.sent[0].body, "the report");
  mail.result = 1;  // MAPI_USER_ABORT: the user cancelled the send dialog
  EXPECT_FALSE(send());
}

TEST_F(ReportMail, WithoutSimpleMapiNothingIsHandedOn) {
  system.version = {3, 51, 1057, 2, ""};
  EXPECT_FALSE(send());
  system.version = {6, 1, 7601, 2, "Service Pack 1"};
  for (const char* declared : {"0", "", "1 "}) {
    value("SOFTWARE\\Microsoft\\Windows Messaging Subsystem", "MAPI", platform::kRegSz, declared);
    EXPECT_FALSE(send()) << declared;
  }
  value("SOFTWARE\\Microsoft\\Windows Messaging Subsystem", "MAPI", platform::kRegDword,
        std::string("\1\0\0\0", 4));
  EXPECT_FALSE(send());
  EXPECT_TRUE(mail.sent.empty());
}

}  // namespace
