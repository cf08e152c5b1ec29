#include "platform/fake/fake_system.h"

#include <cstdio>
#include <string>

namespace platform::fake {
namespace {

constexpr uint64_t kTicksPerMinute = 600000000ull;
// Windows converts no file time with the top bit set.
constexpr uint64_t kLastFileTime = 0x8000000000000000ull;
// Minutes from 1601-01-01 to 1970-01-01.
constexpr int64_t kEpochMinutes = 11644473600ll / 60;

struct Civil {
  int64_t year;
  unsigned month, day;
};

// Days since 1970-01-01 to a proleptic Gregorian date.
Civil civilFromDays(int64_t z) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const auto doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned day = doy - (153 * mp + 2) / 5 + 1;
  const unsigned month = mp < 10 ? mp + 3 : mp - 9;
  return {static_cast<int64_t>(yoe) + era * 400 + (month <= 2), month, day};
}

bool leapYear(unsigned year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

unsigned daysInMonth(unsigned year, unsigned month) {
  static const unsigned days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && leapYear(year) ? 29 : days[month - 1];
}

}  // namespace

FakeSystem::FakeSystem() {
  drives['C'] = FakeDrive{3, DiskSpace{40000000000ull, 12500000000ull}, 0x1234ABCDu};
}

const FakeDrive* FakeSystem::drive(const std::string& root) const {
  if (root.size() < 2 || root[1] != ':') return nullptr;
  char letter = root[0];
  if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
  auto it = drives.find(letter);
  return it == drives.end() ? nullptr : &it->second;
}

std::optional<DiskSpace> FakeSystem::diskFreeSpace(const std::string& root) {
  const FakeDrive* d = drive(root);
  return d ? d->space : std::nullopt;
}

std::optional<uint32_t> FakeSystem::volumeSerial(const std::string& root) {
  const FakeDrive* d = drive(root);
  return d ? d->serial : std::nullopt;
}

uint32_t FakeSystem::driveType(const std::string& root) {
  const FakeDrive* d = drive(root);
  return d ? d->type : 1;  // DRIVE_NO_ROOT_DIR
}

uint32_t FakeSystem::logicalDrives() {
  uint32_t mask = 0;
  for (const auto& [letter, d] : drives)
    if (letter >= 'A' && letter <= 'Z') mask |= 1u << (letter - 'A');
  return mask;
}

std::string FakeSystem::formatFileTime(FileTime utc) {
  if (utc >= kLastFileTime) return std::string();
  const int64_t minutes = static_cast<int64_t>(utc / kTicksPerMinute) - kEpochMinutes + utcOffsetMinutes;
  const int64_t days = (minutes >= 0 ? minutes : minutes - 1439) / 1440;
  const auto minuteOfDay = static_cast<unsigned>(minutes - days * 1440);
  const Civil date = civilFromDays(days);
  const unsigned hour = minuteOfDay / 60;
  const unsigned hour12 = hour % 12 == 0 ? 12 : hour % 12;
  char text[64];
  std::snprintf(text, sizeof text, "%u/%u/%lld  %u:%02u %s", date.month, date.day,
                static_cast<long long>(date.year), hour12, minuteOfDay % 60, hour < 12 ? "AM" : "PM");
  return text;
}

std::string FakeSystem::shortDate(const LocalTime& t) {
  // SYSTEMTIME starts with 1601.
  if (t.year < 1601 || t.year > 30827 || t.month < 1 || t.month > 12 || t.day < 1 ||
      t.day > daysInMonth(t.year, t.month))
    return std::string();
  return std::to_string(t.month) + "/" + std::to_string(t.day) + "/" + std::to_string(t.year);
}

std::string FakeSystem::longTime(const LocalTime& t) {
  if (t.hour > 23 || t.minute > 59 || t.second > 59 || t.milliseconds > 999) return std::string();
  char text[32];
  std::snprintf(text, sizeof text, "%u:%02u:%02u %s", t.hour % 12 == 0 ? 12u : t.hour % 12u,
                static_cast<unsigned>(t.minute), static_cast<unsigned>(t.second),
                t.hour < 12 ? "AM" : "PM");
  return text;
}

}  // namespace platform::fake
