// Facts about the machine from kernel32, gdi32, winmm and the locale.
#pragma once

#include "platform/system.h"

namespace platform::win32 {

class Win32System : public System {
 public:
  // The full byte counts where the system gives them (GlobalMemoryStatus stops at 2 GB for a
  // 32-bit program); callers that want the old 32-bit figures cut them down.
  MemoryStatus memoryStatus() override;
  // The free bytes are those available to this user (quotas included).
  std::optional<DiskSpace> diskFreeSpace(const std::string& root) override;
  std::optional<uint32_t> volumeSerial(const std::string& root) override;
  uint32_t driveType(const std::string& root) override;
  uint32_t logicalDrives() override;
  OsVersion osVersion() override;
  std::string windowsDirectory() override;
  std::string tempPath() override;
  std::string programPath() override;
  std::vector<std::string> arguments() override;
  std::string userName() override;
  std::optional<LocalTime> localTime(FileTime utc) override;
  LocalTime now() override;
  std::string shortDate(const LocalTime& when) override;
  std::string shortTime(const LocalTime& when) override;
  std::string longTime(const LocalTime& when) override;
  std::string profileDirectory() override;
  int colorDepth() override;
  char decimalSeparator() override;
  std::string thousandsSeparator() override;
  int waveOutDevices() override;
  int midiOutDevices() override;
};

}  // namespace platform::win32
