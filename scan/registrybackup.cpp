#include "scan/registrybackup.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "platform/folders.h"
#include "platform/textcase.h"
#include "scan/quarantinefolder.h"
#include "scan/regedittext.h"

namespace scan {
namespace {

// Windows nests keys at most this deep; a deeper walk is going round a loop of links.
constexpr size_t kMaxKeyDepth = 512;
// Backups started within one second; beyond this something else is filling the folder.
constexpr int kMaxSameNames = 100;

// The name as the list of names spells it, so that regedit creates it with that spelling.
std::string spelledAs(const std::vector<std::string>& listed, const std::string& name) {
  for (const auto& stored : listed)
    if (platform::equalsAsciiNoCase(stored, name)) return stored;
  return name;
}

// The key's lines, then those of each subkey, as regedit lists a tree. A subkey that cannot be
// opened for reading cannot be deleted either, and stays out; a link is named in a comment.
// path: where the key is opened in registry's view; shown: how the file names it.
BackupFailure describeTree(platform::Registry& registry, platform::RegRoot root,
                           const std::string& path, const std::string& shown,
                           platform::RegKey& key, size_t depth, std::string& text) {
  text += regeditKeyLine(root, shown);
  for (const auto& name : key.valueNames()) {
    if (!regeditCanName(name)) return BackupFailure::Unnamable;
    auto value = key.read(name);
    if (!value) return BackupFailure::Unreadable;
    text += regeditValueLines(name, *value);
  }
  for (const auto& name : key.subkeyNames()) {
    if (!regeditCanName(name)) return BackupFailure::Unnamable;
    if (depth >= kMaxKeyDepth) return BackupFailure::Unreadable;
    const std::string below = path + "\\" + name, shownBelow = shown + "\\" + name;
    // Opening a link opens what it leads to, which is not deleted with the tree.
    if (const auto target = registry.linkTarget(root, below)) {
      text += regeditLinkNote(root, shownBelow, *target);
      continue;
    }
    auto subkey = registry.open(root, below, platform::RegAccess::Read);
    if (!subkey) continue;
    const auto failure =
        describeTree(registry, root, below, shownBelow, *subkey, depth + 1, text);
    if (failure != BackupFailure::None) return failure;
  }
  return BackupFailure::None;
}

}  // namespace

RegistryBackup::RegistryBackup(platform::Files& files, platform::System& system, std::string folder)
    : files_(files), system_(system), folder_(std::move(folder)) {}

bool RegistryBackup::saveKey(platform::Registry& registry, platform::RegRoot root,
                             const std::string& keyPath) {
  const size_t slash = keyPath.rfind('\\');
  const std::string above = slash == std::string::npos ? std::string() : keyPath.substr(0, slash);
  const std::string spelled =
      keyPath.substr(0, slash + 1) +
      spelledAs(listed('k', root, registry.pathForRegedit(root, above),
                       [&] {
                         auto parent = registry.open(root, above, platform::RegAccess::Read);
                         return parent ? parent->subkeyNames() : std::vector<std::string>();
                       }),
                keyPath.substr(slash + 1));
  const auto depth = static_cast<size_t>(std::count(spelled.begin(), spelled.end(), '\\')) + 1;
  if (!regeditCanName(spelled)) return saved(BackupFailure::Unnamable);
  if (keyPath.empty() || depth > kMaxKeyDepth) return saved(BackupFailure::Unreadable);
  const std::string shown = registry.pathForRegedit(root, spelled);
  if (const auto target = registry.linkTarget(root, spelled))
    return append(regeditLinkNote(root, shown, *target));
  auto key = registry.open(root, spelled, platform::RegAccess::Read);
  if (!key) return saved(BackupFailure::Unreadable);
  std::string text;
  const auto failure = describeTree(registry, root, spelled, shown, *key, depth, text);
  return failure == BackupFailure::None ? append(text) : saved(failure);
}

bool RegistryBackup::saveValue(platform::Registry& registry, platform::RegRoot root,
                               const std::string& keyPath, platform::RegKey& key,
                               const std::string& name) {
  const auto value = key.read(name);
  if (!value) return saved(BackupFailure::Unreadable);
  const std::string shown = registry.pathForRegedit(root, keyPath);
  const std::string spelled =
      spelledAs(listed('v', root, shown, [&] { return key.valueNames(); }), name);
  if (!regeditCanName(shown) || !regeditCanName(spelled)) return saved(BackupFailure::Unnamable);
  return append(regeditKeyLine(root, shown) + regeditValueLines(spelled, *value));
}

const std::vector<std::string>& RegistryBackup::listed(
    char kind, platform::RegRoot root, const std::string& keyPath,
    const std::function<std::vector<std::string>()>& list) {
  std::string id =
      kind + std::to_string(static_cast<int>(root)) + "\\" + platform::asciiUpper(keyPath);
  auto it = listed_.find(id);
  if (it == listed_.end()) it = listed_.emplace(std::move(id), list()).first;
  return it->second;
}

void RegistryBackup::close() {
  if (file_) file_->close();
  file_.reset();
}

bool RegistryBackup::saved(BackupFailure failure) {
  failure_ = failure;
  return failure == BackupFailure::None;
}

bool RegistryBackup::append(const std::string& text) {
  if (broken_ || !open()) return saved(BackupFailure::Unwritable);
  if (file_->write(text.data(), text.size())) return saved(BackupFailure::None);
  broken_ = true;
  return saved(BackupFailure::Unwritable);
}

bool RegistryBackup::open() {
  if (file_) return true;
  if (!platform::createFolders(files_, folder_)) return false;
  const platform::LocalTime t = system_.now();
  char stamp[96];
  std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d-%02d-%02d", t.year, t.month, t.day,
                t.hour, t.minute, t.second);
  const std::string base = folder_ + "\\Registry backup " + stamp;
  for (int n = 1; n <= kMaxSameNames; ++n) {
    const std::string candidate = base + (n > 1 ? " (" + std::to_string(n) + ")" : "") + ".reg";
    if (files_.attributes(candidate)) continue;
    file_ = files_.createFile(candidate);
    if (!file_) return false;
    path_ = candidate;
    if (file_->write(kRegeditHeader, std::char_traits<char>::length(kRegeditHeader))) return true;
    broken_ = true;
    return false;
  }
  return false;
}

}  // namespace scan
