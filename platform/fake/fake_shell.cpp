#include "platform/fake/fake_shell.h"

#include <algorithm>

namespace platform::fake {
namespace {

bool isLocalPath(const std::string& target) {
  return target.size() >= 3 && target[1] == ':' && target[2] == '\\';
}

constexpr int kFolderIcon = 2;
constexpr int kFileIcon = 0;

bool endsWithNoCase(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && equalsAsciiNoCase(s.substr(s.size() - tail.size()), tail);
}

}  // namespace

bool FakeShell::execute(uintptr_t owner, const std::string& verb, const std::string& target) {
  requests.push_back({owner, verb, target});
  if (executeFails) return false;
  return !files || !isLocalPath(target) || files->attributes(target).has_value();
}

bool FakeShell::emptyRecycleBin(const std::string& root) {
  emptiedBins.push_back(root);
  return !emptyFails;
}

std::vector<ShellItem> FakeShell::listFolder(const std::string& folder) {
  std::string key = folder;
  while (key.size() > 3 && key.back() == '\\') key.pop_back();
  if (auto it = folders.find(key); it != folders.end()) return it->second;
  std::vector<ShellItem> items;
  if (!files || key.empty()) return items;
  std::vector<std::pair<bool, ShellItem>> found;  // (is a folder, item)
  FindData entry;
  auto find = files->findFirst(key + (key.back() == '\\' ? "*" : "\\*"), entry);
  for (bool more = find != nullptr; more; more = find->next(entry)) {
    if (entry.isDotEntry()) continue;
    ShellItem item;
    item.displayName = entry.name;
    item.iconIndex = entry.isDirectory() ? kFolderIcon : kFileIcon;
    item.hidden = (entry.attributes & kAttrHidden) != 0;
    item.link = !entry.isDirectory() && endsWithNoCase(entry.name, ".lnk");
    found.emplace_back(entry.isDirectory(), std::move(item));
  }
  std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
    if (a.first != b.first) return a.first;
    return AsciiNoCaseLess()(a.second.displayName, b.second.displayName);
  });
  for (auto& f : found) items.push_back(std::move(f.second));
  return items;
}

std::optional<int> FakeShell::iconIndexOf(const std::string& path) {
  if (auto it = icons.find(path); it != icons.end()) return it->second;
  const auto attributes = files ? files->attributes(path) : std::nullopt;
  if (!attributes) return std::nullopt;
  return (*attributes & kAttrDirectory) ? kFolderIcon : kFileIcon;
}

}  // namespace platform::fake
