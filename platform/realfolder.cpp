#include "platform/realfolder.h"

#include "platform/textcase.h"

namespace platform {
namespace {

// Where the path leads when only its folders are followed: the folder's real path and the
// file's own name, which is what a file that is no link really is. Empty when the folder
// cannot be told.
std::string namedFile(Files& files, const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  if (slash == std::string::npos || slash + 1 == path.size()) return std::string();
  // A drive's root keeps its backslash, as the system names it.
  const bool root = slash == 2 && path[1] == ':';
  std::string folder = files.finalPath(path.substr(0, root ? slash + 1 : slash));
  if (folder.empty()) return folder;
  if (folder.back() != '\\') folder += '\\';
  return folder + path.substr(slash + 1);
}

}  // namespace

RealFolder::RealFolder(const std::string& finalPath) {
  if (finalPath.empty()) return;
  folded_ = ansiLower(finalPath);
  if (folded_.back() != '\\') folded_ += '\\';
}

bool RealFolder::deleteFile(Files& files, const std::string& path, DeletionRule rule) const {
  if (folded_.empty()) return false;
  auto file = files.openForDeletion(path);
  if (!file) return false;
  const std::string really = ansiLower(file->finalPath());
  if (really.size() <= folded_.size() || really.compare(0, folded_.size(), folded_) != 0)
    return false;
  if (rule == DeletionRule::OnlyTheNamedFile && really != ansiLower(namedFile(files, path)))
    return false;
  return file->remove();
}

}  // namespace platform
