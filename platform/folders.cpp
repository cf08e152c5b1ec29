#include "platform/folders.h"

namespace platform {

bool createFolders(Files& files, const std::string& path) {
  std::string folder = path;
  while (folder.size() > 1 && folder.back() == '\\') folder.pop_back();
  if (folder.empty()) return false;
  // Each parent from the top down; "C:" and the "\\server\share" of a network path are given.
  size_t from = folder.rfind("\\\\", 0) == 0 ? rootEnd(folder) : 0;
  while (from != std::string::npos) {
    const size_t end = folder.find('\\', from + 1);
    const std::string part = folder.substr(0, end);
    if (part.size() > 2 && !files.directoryExists(part)) files.createDirectory(part);
    from = end;
  }
  return files.directoryExists(folder);
}

size_t rootEnd(const std::string& path) {
  if (path.compare(0, 2, "\\\\") != 0) return path.find('\\');
  const size_t server = path.find('\\', 2);
  return server == std::string::npos ? server : path.find('\\', server + 1);
}

}  // namespace platform
