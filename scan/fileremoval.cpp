#include "scan/fileremoval.h"

#include <optional>
#include <utility>

#include "platform/busyflag.h"
#include "platform/folders.h"
#include "scan/quarantinefolder.h"

namespace scan {
namespace {

// Quarantined copies of one file name; past this the folder is being filled on purpose.
constexpr int kMaxCopiesOfAName = 9999;
constexpr uint32_t kFilePauseMs = 10;

std::optional<uint64_t> fileSize(platform::Files& files, const std::string& path) {
  platform::FindData record;
  if (!files.fileExists(path) || !files.findFirst(path, record)) return std::nullopt;
  return record.size;
}

}  // namespace

std::string quarantineTarget(platform::Files& files, const std::string& folder,
                             const std::string& path) {
  const std::string name = path.substr(path.find_last_of("\\/") + 1);  // Windows reads both
  for (int n = 1; n <= kMaxCopiesOfAName; ++n) {
    const std::string target =
        folder + "\\" + name + (n > 1 ? "." + std::to_string(n) : std::string()) + ".qua";
    if (!files.attributes(target)) return target;
  }
  return std::string();
}

FileRemoval::FileRemoval(platform::Files& files, RemovalView& view, std::string windowsDir)
    : files_(files), view_(view), windowsDir_(std::move(windowsDir)) {}

template <typename Act>
FileRemoval::Result FileRemoval::each(const std::vector<std::string>& paths, int32_t filesDetected,
                                      Act act) {
  for (const auto& path : paths) {
    if (act(path)) view_.showFilesDetected(--filesDetected);
    view_.pause(kFilePauseMs);
    view_.processMessages();
    if (stop_) return Result::Stopped;
  }
  return Result::Done;
}

FileRemoval::Result FileRemoval::deleteFiles(std::vector<std::string> detectedFiles,
                                             int32_t filesDetected) {
  if (running_) return Result::AlreadyRunning;
  platform::BusyFlag busy(running_);
  stop_ = false;
  const auto inside = platform::RealFolder::of(files_, windowsDir_);
  const Result result = each(detectedFiles, filesDetected,
                             [&](const std::string& path) { return deleteOne(path, inside); });
  if (result == Result::Done) view_.showItem(kRemovalComplete);
  return result;
}

FileRemoval::Result FileRemoval::quarantine(std::vector<std::string> detectedFiles,
                                            int32_t filesDetected, const std::string& programDir) {
  if (running_) return Result::AlreadyRunning;
  platform::BusyFlag busy(running_);
  stop_ = false;
  toldCannotWrite_ = false;
  const std::string folder = quarantineFolder(programDir);
  if (!platform::createFolders(files_, folder)) checkFolderTakesFiles(folder);
  const auto inside = platform::RealFolder::of(files_, windowsDir_);
  const Result result = each(detectedFiles, filesDetected, [&](const std::string& path) {
    return quarantineOne(path, inside, folder);
  });
  if (result == Result::Done) view_.showItem(kQuarantineComplete);
  return result;
}

bool FileRemoval::deleteOne(const std::string& path, const platform::RealFolder& inside) {
  if (files_.fileExists(path))
    inside.deleteFile(files_, path, platform::DeletionRule::OnlyTheNamedFile);
  const bool gone = !files_.fileExists(path);
  view_.showItem((gone ? "Deleting " : "Could not delete ") + path);
  return gone;
}

bool FileRemoval::quarantineOne(const std::string& path, const platform::RealFolder& inside,
                                const std::string& folder) {
  if (!files_.fileExists(path)) return true;  // gone since the scan: nothing to say
  const std::string target = quarantineTarget(files_, folder, path);
  const bool copied = !target.empty() && files_.copyFile(path, target, true);
  if (!copied) checkFolderTakesFiles(folder);
  const auto size = fileSize(files_, path);
  bool moved = copied && size && fileSize(files_, target) == size;
  if (moved) {
    inside.deleteFile(files_, path, platform::DeletionRule::OnlyTheNamedFile);
    moved = !files_.fileExists(path);
  }
  if (copied && !moved) {
    // The copy took the original's attributes; a read-only one would refuse to go.
    files_.setAttributes(target, platform::kAttrNormal);
    files_.deleteFile(target);
  }
  view_.showItem((moved ? "Moving " : "Could not quarantine ") + path);
  return moved;
}

// A copy that fails may be the file's fault (in use, unreadable) or the folder's; only the
// folder's needs the user, who can move the program or run it as an administrator.
void FileRemoval::checkFolderTakesFiles(const std::string& folder) {
  if (toldCannotWrite_) return;
  const std::string probe = folder + "\\~qexsys.tmp";
  if (files_.createNewFile(probe)) {
    files_.deleteFile(probe);
    return;
  }
  if (files_.attributes(probe)) return;  // a leftover probe: the folder took it once
  toldCannotWrite_ = true;
  view_.cannotWrite(folder);
}

}  // namespace scan
