// A machine described by plain fields a test sets: memory, drives, the Windows version, the
// folders, the program's path and arguments, the user and the screen.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/system.h"

namespace platform::fake {

struct FakeDrive {
  uint32_t type = 3;  // GetDriveTypeA: 2 removable, 3 fixed, 4 network, 5 CD-ROM, 6 RAM disk
  std::optional<DiskSpace> space;
  std::optional<uint32_t> serial;
};

class FakeSystem : public System {
 public:
  FakeSystem();

  MemoryStatus memory{512ull << 20, 256ull << 20};
  std::map<char, FakeDrive> drives;  // by upper-case letter; C: is a fixed disk at first
  OsVersion version{5, 1, 2600, 2, "Service Pack 2"};
  std::string windowsDir = "C:\\WINDOWS";
  std::string tempDir = "C:\\WINDOWS\\TEMP\\";
  std::string program = "C:\\Program Files\\Orvanta\\qexsys.exe";
  std::vector<std::string> args;
  std::string user = "Owner";
  std::string profileDir = "C:\\Documents and Settings\\Owner";
  int depth = 32;
  char decimal = '.';
  std::string thousands = ",";
  int waves = 1;
  int midis = 1;
  int utcOffsetMinutes = 0;  // local time minus UTC, for formatFileTime

  MemoryStatus memoryStatus() override { return memory; }
  std::optional<DiskSpace> diskFreeSpace(const std::string& root) override;
  std::optional<uint32_t> volumeSerial(const std::string& root) override;
  uint32_t driveType(const std::string& root) override;
  uint32_t logicalDrives() override;
  OsVersion osVersion() override { return version; }
  std::string windowsDirectory() override { return windowsDir; }
  std::string tempPath() override { return tempDir; }
  std::string programPath() override { return program; }
  std::vector<std::string> arguments() override { return args; }
  std::string userName() override { return user; }
  std::string profileDirectory() override { return profileDir; }
  // The short forms of US English, as a fresh Wine prefix formats them:
  // "7/15/2004  3:05 PM" (month/day/year without leading zeros, two blanks, 12-hour time);
  // empty for a time Windows cannot convert.
  std::string formatFileTime(FileTime utc) override;
  int colorDepth() override { return depth; }
  char decimalSeparator() override { return decimal; }
  std::string thousandsSeparator() override { return thousands; }
  int waveOutDevices() override { return waves; }
  int midiOutDevices() override { return midis; }

 private:
  const FakeDrive* drive(const std::string& root) const;
};

}  // namespace platform::fake
