#include "cleanup/shortpath.h"

namespace cleanup {

namespace {

// Where the drive ends: the first backslash, or for a share ("\\server\share\...") the one
// after the share's name.
size_t driveEnd(const std::string& path) {
  if (path.compare(0, 2, "\\\\") != 0) return path.find('\\');
  const size_t server = path.find('\\', 2);
  return server == std::string::npos ? server : path.find('\\', server + 1);
}

}  // namespace

std::string shortenPath(const std::string& path, int width, const std::function<int(const std::string&)>& measure) {
  if (measure(path) <= width) return path;
  const size_t drive = driveEnd(path), last = path.rfind('\\');
  if (drive == std::string::npos || last == std::string::npos) return path;
  const std::string name = path.substr(last + 1);
  // The folders still shown, each with its backslash after it.
  std::string folders = last > drive ? path.substr(drive + 1, last - drive) : std::string();
  while (!folders.empty()) {
    folders.erase(0, folders.find('\\') + 1);
    const std::string text = path.substr(0, drive) + "\\...\\" + folders + name;
    if (measure(text) <= width) return text;
  }
  const std::string text = "...\\" + name;
  return measure(text) <= width ? text : name;
}

}  // namespace cleanup
