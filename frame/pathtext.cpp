#include "frame/pathtext.h"

#include <vector>

namespace frame {
namespace {

std::vector<std::string> splitAtBackslashes(const std::string& path) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    const size_t slash = path.find('\\', start);
    if (slash == std::string::npos) break;
    parts.push_back(path.substr(start, slash - start));
    start = slash + 1;
  }
  parts.push_back(path.substr(start));
  return parts;
}

}  // namespace

std::string fitPathToWidth(const std::string& path, int width, const TextWidth& measure) {
  if (measure(path) <= width) return path;
  const auto parts = splitAtBackslashes(path);
  // Folders lie between the first part and the name; without one there is nothing to give up.
  if (parts.size() < 3) return path;
  std::string shortened;
  for (size_t kept = parts.size() - 2; kept-- > 0;) {
    shortened = parts.front() + "\\...";
    for (size_t i = parts.size() - 1 - kept; i < parts.size(); ++i) shortened += "\\" + parts[i];
    if (measure(shortened) <= width) break;
  }
  return shortened;
}

}  // namespace frame
