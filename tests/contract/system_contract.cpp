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

TEST_F(SystemContract, FileTimesReadAsShortDateTwoBlanksAndShortTime) {
  // 2004-07-15 12:00 UTC: whatever the time zone, still 2004 and still the date first.
  const platform::FileTime noon = 127343664000000000ull;
  const std::string text = system().formatFileTime(noon);
  const auto gap = text.find("  ");
  ASSERT_NE(gap, std::string::npos) << text;
  EXPECT_NE(text.substr(0, gap).find("2004"), std::string::npos) << text;
  EXPECT_EQ(text.find("  ", gap + 1), std::string::npos) << text;
  EXPECT_NE(text.substr(gap + 2).find(':'), std::string::npos) << text;
  EXPECT_EQ(system().formatFileTime(~0ull), "");  // hostile time stamps read as nothing
}

}  // namespace
