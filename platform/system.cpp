#include "platform/system.h"

namespace platform {

bool isValidDate(const LocalTime& t) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (t.year < 1601 || t.year > 30827 || t.month < 1 || t.month > 12 || t.day < 1) return false;
  const bool leap = (t.year % 4 == 0 && t.year % 100 != 0) || t.year % 400 == 0;
  return t.day <= kDays[t.month - 1] + (t.month == 2 && leap ? 1 : 0);
}

bool isValidTime(const LocalTime& t) {
  return t.hour >= 0 && t.hour < 24 && t.minute >= 0 && t.minute < 60 && t.second >= 0 &&
         t.second < 60;
}

std::string System::programDirectory() {
  const std::string path = programPath();
  const auto slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace platform
