// The process list, the version strings of a file and the process report on the fakes.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "cleanup/wildmask.h"
#include "platform/fake/fake_processes.h"
#include "platform/fake/fake_registry.h"
#include "process/processlist.h"
#include "process/processreport.h"

namespace {

using platform::RegRoot;
using platform::fake::FakeProcess;

const std::string kRule(55, '-');

struct ProcessLogic : ::testing::Test {
  platform::fake::FakeProcesses processes;
  platform::fake::FakeRegistry registry;
  void run(const std::string& key, const std::string& name, RegRoot root = RegRoot::LocalMachine) {
    ASSERT_TRUE(registry.create(root, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\" + key)
                    ->writeString(name, "c:\\x.exe"));
  }
};

TEST_F(ProcessLogic, ProcessesInTheSystemsOrderWithUnreadableOnesUnknown) {
  processes.running = {{8, "b.exe", "b.exe", true, 77},
                       {4, "System", std::nullopt},
                       {1200, "a.exe", std::string(300, 'a')}};
  const auto rows = process::listProcesses(processes);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].pid, 8u);
  EXPECT_EQ(rows[0].name, "b.exe");
  EXPECT_EQ(rows[1].name, "<unknown>");
  EXPECT_EQ(rows[2].name, std::string(259, 'a'));
  // Who each was, to end that one later and no other: the whole name and the start.
  EXPECT_EQ(rows[0].identity.created, 77u);
  EXPECT_EQ(rows[1].identity.name, std::nullopt);
  EXPECT_EQ(rows[2].identity.name, std::string(300, 'a'));
}

TEST_F(ProcessLogic, MoreThanATableOfOldAreListed) {
  for (uint32_t pid = 1; pid <= 1500; ++pid)
    processes.running.push_back({pid * 4, "p.exe", "p.exe"});
  EXPECT_EQ(process::listProcesses(processes).size(), 1500u);
  const auto report = process::processReport(processes, registry);
  EXPECT_EQ(report.size(), 2u + 1500u + 3u);
}

TEST_F(ProcessLogic, VersionStringsAreCutTo99Characters) {
  processes.versions["C:\\a.dll"] = {{"LegalCopyright", std::string(100, 'c')},
                                     {"CompanyName", "Co"}};
  processes.versions["C:\\b.dll"] = {{"LegalCopyright", std::string(10000, 'c')}};
  processes.versions["C:\\c.dll"] = {{"CompanyName", "Co"}};
  EXPECT_EQ(process::versionString(processes, "c:\\A.DLL", "LegalCopyright"), std::string(99, 'c'));
  EXPECT_EQ(process::versionString(processes, "C:\\b.dll", "LegalCopyright"), std::string(99, 'c'));
  EXPECT_EQ(process::versionString(processes, "C:\\a.dll", "CompanyName"), "Co");
  EXPECT_EQ(process::versionString(processes, "C:\\c.dll", "LegalCopyright"), "");
  EXPECT_EQ(process::versionString(processes, "C:\\none.exe", "LegalCopyright"), "");
}

TEST_F(ProcessLogic, ALocateMaskTakesTheNameAndNothingElse) {
  for (const std::string name : {"a[1].exe", "[", "x]y.exe", "plain.exe"}) {
    const std::string mask = process::exactNameMask(name);
    EXPECT_TRUE(cleanup::matchesMask(name, mask)) << name;
    std::string upper = name;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_TRUE(cleanup::matchesMask(upper, mask)) << name;
  }
  EXPECT_FALSE(cleanup::matchesMask("a1.exe", process::exactNameMask("a[1].exe")));
}

TEST_F(ProcessLogic, TheReportNamesProcessesThenRunValuesWithTheirKeys) {
  processes.running = {{4, "System", std::nullopt}, {8, "smss.exe", "smss.exe"}};
  run("Run", "b");
  run("Run", "A");
  run("RunOnceEx", "ex");
  run("RunServices", "svc");
  run("Run", "", RegRoot::CurrentUser);
  run("RunOnce", "once", RegRoot::CurrentUser);
  run("RunServices", "usvc", RegRoot::CurrentUser);
  run("RunOnce", "machine once");
  registry.create(RegRoot::CurrentUser, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run")
      ->write("dword", platform::RegValue{platform::kRegDword, std::string(4, '\0')});
  EXPECT_EQ(process::processReport(processes, registry),
            (std::vector<std::string>{
                "Running Processes:", kRule, "<unknown>", "smss.exe", "",
                "Registry Run Values:", kRule, "HKEY_LOCAL_MACHINE  Run  A",
                "HKEY_LOCAL_MACHINE  Run  b", "HKEY_LOCAL_MACHINE  RunOnce  machine once",
                "HKEY_LOCAL_MACHINE  RunOnceEx  ex", "HKEY_LOCAL_MACHINE  RunServices  svc",
                "HKEY_CURRENT_USER  Run  ", "HKEY_CURRENT_USER  Run  dword",
                "HKEY_CURRENT_USER  RunOnce  once", "HKEY_CURRENT_USER  RunServices  usvc"}));
}

TEST_F(ProcessLogic, OnSixtyFourBitWindowsTheReportNamesTheOtherViewsValuesSo) {
  registry.sixtyFourBitWindows = true;
  processes.running = {{8, "a.exe", "a.exe"}};
  run("Run", "own");
  ASSERT_TRUE(registry
                  .create(RegRoot::LocalMachine,
                          "SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Run")
                  ->writeString("old", "o.exe"));
  const auto report = process::processReport(processes, registry);
  EXPECT_EQ(std::vector<std::string>(report.end() - 2, report.end()),
            (std::vector<std::string>{"HKEY_LOCAL_MACHINE  Run  own",
                                      "HKEY_LOCAL_MACHINE  Run (32-bit)  old"}));
}

TEST_F(ProcessLogic, ReportWithoutRunValuesOrWithoutProcesses) {
  processes.running = {{8, "a.exe", "a.exe"}};
  run("Run", "x");
  // A key the user may only read is reported all the same; one that cannot be read is not.
  registry.refuse(RegRoot::LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run",
                  platform::RegAccess::AllAccess);
  EXPECT_EQ(process::processReport(processes, registry).back(), "HKEY_LOCAL_MACHINE  Run  x");
  registry.refuse(RegRoot::LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run",
                  platform::RegAccess::Read);
  EXPECT_EQ(process::processReport(processes, registry),
            (std::vector<std::string>{"Running Processes:", kRule, "a.exe", "",
                                      "Registry Run Values:", kRule}));
  processes.running.clear();
  EXPECT_EQ(process::processReport(processes, registry),
            (std::vector<std::string>{"Running Processes:", kRule}));
}

}  // namespace
