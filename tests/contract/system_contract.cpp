// Facts about the machine in the shapes the program's code takes them: folders with and
// without their trailing backslash, drive roots, the program's own path and arguments.
#include <string>

#include "tests/contract/env.h"

namespace {

class SystemContract : public contract::Contract {
 protected:
  platform::System& system() { return sys().system(); }
  std::string windowsRoot() { return system().windowsDirectory().substr(0, 3); }
};

TEST_F(SystemContract, FoldersHaveTheirDocumentedEndings) {
  const std::string windows = system().windowsDirectory();
  ASSERT_GE(windows.size(), 4u);
  EXPECT_EQ(windows.substr(1, 2), ":\\");
  EXPECT_NE(windows.back(), '\\');
  EXPECT_TRUE(sys().files().directoryExists(windows));

  const std::string temp = system().tempPath();
  ASSERT_FALSE(temp.empty());
  EXPECT_EQ(temp.back(), '\\');
  EXPECT_TRUE(sys().files().directoryExists(temp));

  const std::string profile = system().profileDirectory();
  ASSERT_GE(profile.size(), 4u);
  EXPECT_NE(profile.back(), '\\');
  EXPECT_TRUE(sys().files().directoryExists(profile));
}

TEST_F(SystemContract, TheProgramKnowsItsPathAndArguments) {
  const std::string path = system().programPath();
  EXPECT_TRUE(sys().files().fileExists(path)) << path;
  EXPECT_EQ(system().programDirectory() + ownProcess().exeFile, path);
  EXPECT_EQ(system().arguments(), runtimeArguments());
}

TEST_F(SystemContract, TheWindowsDriveIsAFixedDiskWithSpaceAndASerial) {
  const std::string root = windowsRoot();
  const int bit = (root[0] | 0x20) - 'a';
  EXPECT_NE(system().logicalDrives() & (1u << bit), 0u);
  EXPECT_EQ(system().driveType(root), 3u);
  EXPECT_EQ(system().driveType(root.substr(0, 2)), 3u);  // the inventory asks with "C:"

  auto space = system().diskFreeSpace(root);
  ASSERT_TRUE(space.has_value());
  EXPECT_GT(space->total, 0u);
  EXPECT_LE(space->free, space->total);
  EXPECT_TRUE(system().volumeSerial(root).has_value());
}

TEST_F(SystemContract, ADriveLetterWithoutADriveHasNoRoot) {
  const uint32_t drives = system().logicalDrives();
  int free = 25;
  while (free >= 0 && (drives & (1u << free))) --free;
  ASSERT_GE(free, 0);
  const std::string root = std::string(1, static_cast<char>('A' + free)) + ":\\";
  EXPECT_EQ(system().driveType(root), 1u);
  EXPECT_EQ(system().diskFreeSpace(root), std::nullopt);
  EXPECT_EQ(system().volumeSerial(root), std::nullopt);
}

TEST_F(SystemContract, MemoryVersionUserScreenAndSound) {
  const auto memory = system().memoryStatus();
  EXPECT_GT(memory.totalPhys, 0u);
  EXPECT_LE(memory.availPhys, memory.totalPhys);

  const auto version = system().osVersion();
  EXPECT_GE(version.major, 4u);
  EXPECT_TRUE(version.platformId == 1 || version.platformId == 2) << version.platformId;

  EXPECT_FALSE(system().userName().empty());
  EXPECT_GT(system().colorDepth(), 0);
  EXPECT_GE(system().waveOutDevices(), 0);
  EXPECT_GE(system().midiOutDevices(), 0);
}

TEST_F(SystemContract, FileTimesConvertToLocalTimeAndFormatInShortForms) {
  // 2004-07-15 12:00 UTC: in every time zone still 2004, on the 14th, 15th or 16th.
  const platform::FileTime noon = 127343664000000000ull;
  const auto local = system().localTime(noon);
  ASSERT_TRUE(local.has_value());
  EXPECT_EQ(local->year, 2004);
  EXPECT_EQ(local->month, 7);
  EXPECT_TRUE(local->day >= 14 && local->day <= 16) << local->day;
  EXPECT_EQ(local->second, 0);
  EXPECT_EQ(system().localTime(noon + 59 * 10000000ull)->second, 59);

  const std::string date = system().shortDate(*local);
  EXPECT_NE(date.find("2004"), std::string::npos) << date;
  EXPECT_EQ(date.find(' '), std::string::npos) << date;
  // The short time has no seconds: hours and minutes only, whatever the clock style.
  const std::string time = system().shortTime(platform::LocalTime{2004, 7, 15, 13, 5, 42});
  EXPECT_NE(time.find("05"), std::string::npos) << time;
  EXPECT_EQ(time.find("42"), std::string::npos) << time;
  EXPECT_NE(system().shortTime(platform::LocalTime{2004, 7, 15, 0, 0, 0}), "");

  // Times and dates that do not exist.
  EXPECT_EQ(system().localTime(~0ull), std::nullopt);
  EXPECT_EQ(system().localTime(0x8000000000000000ull), std::nullopt);
  EXPECT_EQ(system().shortDate(platform::LocalTime{2004, 13, 1, 0, 0, 0}), "");
  EXPECT_EQ(system().shortDate(platform::LocalTime{2003, 2, 29, 0, 0, 0}), "");
  EXPECT_NE(system().shortDate(platform::LocalTime{2004, 2, 29, 0, 0, 0}), "");
  EXPECT_EQ(system().shortDate(platform::LocalTime{-1, 1, 1, 0, 0, 0}), "");
  EXPECT_EQ(system().shortTime(platform::LocalTime{2004, 7, 15, 24, 0, 0}), "");
  EXPECT_EQ(system().shortTime(platform::LocalTime{2004, 7, 15, -1, 0, 0}), "");
}

TEST_F(SystemContract, TheLocalClockReadsADateThatFormats) {
  const auto now = system().now();
  EXPECT_GE(now.year, 2004);
  EXPECT_NE(system().shortDate(now), "");
  EXPECT_NE(system().shortTime(now), "");
}

TEST_F(SystemContract, LongTimeShowsTheSecondsAndEachTextLooksAtItsOwnFields) {
  const platform::LocalTime now = system().now();
  EXPECT_NE(system().longTime(now), "");
  EXPECT_LT(now.milliseconds, 1000);

  const platform::LocalTime afternoon{2004, 7, 15, 15, 5, 9, 0};
  EXPECT_NE(system().shortDate(afternoon).find("2004"), std::string::npos);
  const std::string time = system().longTime(afternoon);
  EXPECT_NE(time.find("05"), std::string::npos) << time;
  EXPECT_NE(time.find("09"), std::string::npos) << time;
  // Each text looks at its own fields only; one out of range gives nothing.
  EXPECT_EQ(system().shortDate({2004, 13, 1, 0, 0, 0, 0}), "");
  EXPECT_EQ(system().shortDate({2004, 2, 30, 0, 0, 0, 0}), "");
  EXPECT_EQ(system().longTime({2004, 13, 1, 15, 5, 9, 0}), time);
  EXPECT_EQ(system().longTime({2004, 7, 15, 24, 0, 0, 0}), "");
}

}  // namespace
