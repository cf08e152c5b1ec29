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
  int utcOffsetMinutes = 0;                 // local time minus UTC
  FileTime nowUtc = 127343664000000000ull;  // what now() reads: 2004-07-15 12:00 UTC

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
  // Local time is UTC moved by utcOffsetMinutes; a time whose local form falls before 1601
  // or at 2^63 and beyond does not convert, as on Windows.
  std::optional<LocalTime> localTime(FileTime utc) override;
  LocalTime now() override;
  // The short forms of US English, as a fresh Wine prefix formats them: "7/15/2004" (month,
  // day, year without leading zeros) and "3:05 PM" (12-hour time without seconds).
  std::string shortDate(const LocalTime& when) override;
  std::string shortTime(const LocalTime& when) override;
  // "3:05:09 PM".
  std::string longTime(const LocalTime& when) override;
  std::string profileDirectory() override { return profileDir; }
  int colorDepth() override { return depth; }
  char decimalSeparator() override { return decimal; }
  std::string thousandsSeparator() override { return thousands; }
  int waveOutDevices() override { return waves; }
  int midiOutDevices() override { return midis; }

 private:
  const FakeDrive* drive(const std::string& root) const;
};

}  // namespace platform::fake
