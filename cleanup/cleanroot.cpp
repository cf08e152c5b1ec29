#include "cleanup/cleanroot.h"

#include <cstring>

#include "platform/folders.h"
#include "platform/textcase.h"

namespace cleanup {

namespace {

std::string withSeparator(std::string path) {
  if (path.empty() || path.back() != '\\') path += '\\';
  return path;
}

bool startsWith(const std::string& text, const std::string& head) {
  return text.size() >= head.size() && text.compare(0, head.size(), head) == 0;
}

// "C:\" or "\\server\share\" (the path ends with a backslash): the whole of a drive.
bool isDriveRoot(const std::string& path) {
  if (path.size() == 3 && path[1] == ':') return true;
  if (path.compare(0, 2, "\\\\") != 0) return false;
  const size_t end = platform::rootEnd(path);
  return end == std::string::npos || end + 1 == path.size();
}

// A name Windows takes as it is: not empty, not made of dots and blanks only (".." and ". "
// lead upwards), and without a character that names a stream, a device or a pattern.
bool plainStep(const std::string& step) {
  bool onlyDots = true;
  for (unsigned char c : step) {
    if (c < 32 || std::strchr("/:*?\"<>|", c)) return false;
    if (c != '.' && c != ' ') onlyDots = false;
  }
  return !onlyDots;
}

}  // namespace

CleanRoot::CleanRoot(std::string path, const std::string& finalPath)
    : path_(std::move(path)), foldedPath_(platform::ansiLower(path_)), real_(finalPath) {}

std::optional<CleanRoot> CleanRoot::open(platform::Files& files, const std::string& folder,
                                         const std::vector<std::string>& protectedFolders,
                                         const std::vector<std::string>& closedFolders) {
  if (folder.empty() || folder == "\\") return std::nullopt;
  const std::string path = withSeparator(files.fullPath(folder));
  if (isDriveRoot(path) || !files.directoryExists(path)) return std::nullopt;
  const std::string really = files.finalPath(path);
  if (really.empty() || isDriveRoot(withSeparator(really))) return std::nullopt;
  CleanRoot root(path, really);
  // Each guarded folder by its path and where it really lies, against both forms of the root.
  auto meets = [&](const std::string& guarded, bool inside) {
    for (const std::string& form : {files.fullPath(guarded), files.finalPath(guarded)}) {
      if (guarded.empty() || form.empty()) continue;
      const std::string folded = platform::ansiLower(withSeparator(form));
      for (const std::string& own : {root.foldedPath_, root.real_.folded()})
        if (startsWith(folded, own) || (inside && startsWith(own, folded))) return true;
    }
    return false;
  };
  for (const std::string& guarded : protectedFolders)
    if (meets(guarded, false)) return std::nullopt;
  for (const std::string& closed : closedFolders)
    if (meets(closed, true)) return std::nullopt;
  return root;
}

bool CleanRoot::holds(const std::string& path) const {
  if (path.size() <= path_.size() || platform::ansiLower(path.substr(0, path_.size())) != foldedPath_) return false;
  for (size_t start = path_.size();;) {
    const size_t end = path.find('\\', start);
    if (!plainStep(path.substr(start, end - start))) return false;
    if (end == std::string::npos) return true;
    start = end + 1;
  }
}

bool CleanRoot::deleteFile(platform::Files& files, const std::string& path) const {
  return holds(path) && real_.deleteFile(files, path, platform::DeletionRule::AnyFileBelow);
}

}  // namespace cleanup
