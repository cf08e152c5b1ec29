#include "platform/realfolder.h"

#include "platform/textcase.h"

namespace platform {

RealFolder::RealFolder(const std::string& finalPath) {
  if (finalPath.empty()) return;
  folded_ = ansiLower(finalPath);
  if (folded_.back() != '\\') folded_ += '\\';
}

bool RealFolder::deleteFile(Files& files, const std::string& path) const {
  if (folded_.empty()) return false;
  auto file = files.openForDeletion(path);
  if (!file) return false;
  const std::string really = ansiLower(file->finalPath());
  if (really.size() <= folded_.size() || really.compare(0, folded_.size(), folded_) != 0)
    return false;
  return file->remove();
}

}  // namespace platform
