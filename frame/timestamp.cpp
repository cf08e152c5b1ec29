#include "frame/timestamp.h"

namespace frame {

std::string fileTimeStamp(platform::System& system, platform::FileTime utc) {
  if (utc == 0) return std::string();
  const auto local = system.localTime(utc);
  if (!local) return std::string();
  const std::string date = system.shortDate(*local);
  const std::string time = system.shortTime(*local);
  if (date.empty() || time.empty()) return std::string();
  return date + "  " + time;
}

std::string fileTimeStamp(platform::Files& files, platform::System& system,
                          const std::string& path) {
  if (path.find_first_of("*?<>\"") != std::string::npos) return std::string();
  platform::FindData record;
  if (!files.findFirst(path, record)) return std::string();
  return fileTimeStamp(system, record.lastWriteTime);
}

}  // namespace frame
