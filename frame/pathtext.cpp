#include "frame/pathtext.h"

#include "platform/folders.h"

namespace frame {

std::string fitPathToWidth(const std::string& path, int width, const TextWidth& measure) {
  if (measure(path) <= width) return path;
  const size_t first = platform::rootEnd(path), last = path.rfind('\\');
  if (first == std::string::npos || last == std::string::npos) return path;
  const std::string name = path.substr(last + 1);
  // The folders still shown, each with its backslash after it.
  std::string folders = last > first ? path.substr(first + 1, last - first) : std::string();
  std::string shortened = path;
  while (!folders.empty()) {
    folders.erase(0, folders.find('\\') + 1);
    shortened = path.substr(0, first) + "\\...\\" + folders + name;
    if (measure(shortened) <= width) return shortened;
  }
  // A folder's own path has no name to fall back on.
  if (name.empty()) return shortened;
  const std::string bare = "...\\" + name;
  return measure(bare) <= width ? bare : name;
}

}  // namespace frame
