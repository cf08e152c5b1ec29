#include "scan/registrybackup.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "scan/quarantinefolder.h"
#include "scan/regedittext.h"

namespace scan {
namespace {

// Windows nests keys at most this deep; a deeper walk is going round a loop of links.
constexpr size_t kMaxKeyDepth = 512;
// Backups started within one second; beyond this something else is filling the folder.
constexpr int kMaxSameNames = 100;

bool sameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (fold(a[i]) != fold(b[i])) return false;
  }
  return true;
}

// The key's path with its last name as its parent lists it, so that regedit creates the key
// with that spelling.
std::string storedSpelling(platform::Registry& registry, platform::RegRoot root,
                           const std::string& keyPath) {
  const size_t slash = keyPath.rfind('\\');
  const std::string above = slash == std::string::npos ? std::string() : keyPath.substr(0, slash);
  const std::string last = keyPath.substr(slash + 1);
  if (auto parent = registry.open(root, above, platform::RegAccess::Read))
    for (const auto& name : parent->subkeyNames())
      if (sameName(name, last)) return keyPath.substr(0, slash + 1) + name;
  return keyPath;
}

// The key's lines, then those of each subkey, as regedit lists a tree. A subkey that cannot be
// opened for reading cannot be deleted either, and stays out.
bool describeTree(platform::Registry& registry, platform::RegRoot root, const std::string& path,
                  platform::RegKey& key, size_t depth, std::string& text) {
  text += regeditKeyLine(root, path);
  for (const auto& name : key.valueNames()) {
    auto value = key.read(name);
    if (!regeditCanName(name) || !value) return false;
    text += regeditValueLines(name, *value);
  }
  for (const auto& name : key.subkeyNames()) {
    if (!regeditCanName(name) || depth >= kMaxKeyDepth) return false;
    const std::string below = path + "\\" + name;
    auto subkey = registry.open(root, below, platform::RegAccess::Read);
    if (subkey && !describeTree(registry, root, below, *subkey, depth + 1, text)) return false;
  }
  return true;
}

}  // namespace

RegistryBackup::RegistryBackup(platform::Files& files, platform::System& system, std::string folder)
    : files_(files), system_(system), folder_(std::move(folder)) {}

bool RegistryBackup::saveKey(platform::Registry& registry, platform::RegRoot root,
                             const std::string& keyPath) {
  const std::string spelled = storedSpelling(registry, root, keyPath);
  const auto depth = static_cast<size_t>(std::count(spelled.begin(), spelled.end(), '\\')) + 1;
  if (keyPath.empty() || !regeditCanName(spelled) || depth > kMaxKeyDepth) return false;
  auto key = registry.open(root, spelled, platform::RegAccess::Read);
  if (!key) return false;
  std::string text;
  return describeTree(registry, root, spelled, *key, depth, text) && append(text);
}

bool RegistryBackup::saveValue(platform::RegRoot root, const std::string& keyPath,
                               platform::RegKey& key, const std::string& name) {
  const auto value = key.read(name);
  if (!value) return false;
  std::string spelled = name;
  for (const auto& stored : key.valueNames())
    if (sameName(stored, name)) spelled = stored;
  if (!regeditCanName(keyPath) || !regeditCanName(spelled)) return false;
  return append(regeditKeyLine(root, keyPath) + regeditValueLines(spelled, *value));
}

void RegistryBackup::close() {
  if (file_) file_->close();
  file_.reset();
}

bool RegistryBackup::append(const std::string& text) {
  if (broken_ || !open()) return false;
  if (file_->write(text.data(), text.size())) return true;
  broken_ = true;
  return false;
}

bool RegistryBackup::open() {
  if (file_) return true;
  if (!createFolders(files_, folder_)) return false;
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
