// Facts about the machine and the running program: memory, disks, the Windows version, the
// program's own path and command line, special folders, the user, local time formatting.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/files.h"

namespace platform {

struct MemoryStatus {
  uint64_t totalPhys = 0;
  uint64_t availPhys = 0;
};

struct DiskSpace {
  uint64_t total = 0;
  uint64_t free = 0;
};

// A moment as the local clock reads it: the date and time fields of SYSTEMTIME.
struct LocalTime {
  int year = 0, month = 0, day = 0;
  int hour = 0, minute = 0, second = 0, milliseconds = 0;
};

// Whether the date exists in the range Windows formats (1601 to 30827), and the time of day.
bool isValidDate(const LocalTime& when);
bool isValidTime(const LocalTime& when);

// GetVersionExA with the basic structure.
struct OsVersion {
  uint32_t major = 0, minor = 0, build = 0, platformId = 0;
  std::string csd;  // the service-pack text
};

class System {
 public:
  virtual ~System() = default;
  virtual MemoryStatus memoryStatus() = 0;
  virtual std::optional<DiskSpace> diskFreeSpace(const std::string& root) = 0;
  virtual std::optional<uint32_t> volumeSerial(const std::string& root) = 0;
  virtual uint32_t driveType(const std::string& root) = 0;
  // Bit mask of drive letters present (bit 0 = A:).
  virtual uint32_t logicalDrives() = 0;
  virtual OsVersion osVersion() = 0;
  virtual std::string windowsDirectory() = 0;  // without a trailing backslash
  virtual std::string tempPath() = 0;          // with a trailing backslash
  virtual std::string programPath() = 0;       // full path of the running program file
  virtual std::vector<std::string> arguments() = 0;  // command-line arguments after the program
  virtual std::string userName() = 0;
  // A file time in the local time zone (FileTimeToLocalFileTime, FileTimeToSystemTime);
  // nullopt for a time the system cannot convert.
  virtual std::optional<LocalTime> localTime(FileTime utc) = 0;
  // The local date and time now (GetLocalTime).
  virtual LocalTime now() = 0;
  // The user's short date (GetDateFormatA, DATE_SHORTDATE) and short time (GetTimeFormatA,
  // TIME_NOSECONDS: the time format without its seconds); empty for a date or time that does
  // not exist.
  virtual std::string shortDate(const LocalTime& when) = 0;
  virtual std::string shortTime(const LocalTime& when) = 0;
  // The user's long time (GetTimeFormatA with the seconds); empty for a time that does not
  // exist.
  virtual std::string longTime(const LocalTime& when) = 0;
  // The user's profile folder ("C:\Documents and Settings\Owner"), without a trailing
  // backslash; empty where the system keeps none.
  virtual std::string profileDirectory() = 0;
  // Bits per pixel times colour planes of the screen.
  virtual int colorDepth() = 0;
  // The user's decimal separator (GetLocaleInfoA LOCALE_SDECIMAL).
  virtual char decimalSeparator() { return '.'; }
  // The user's thousands separator (GetLocaleInfoA LOCALE_STHOUSAND); may be empty.
  virtual std::string thousandsSeparator() { return ","; }
  virtual int waveOutDevices() = 0;
  virtual int midiOutDevices() = 0;

  // The program's directory with a trailing backslash.
  std::string programDirectory();
};

}  // namespace platform
