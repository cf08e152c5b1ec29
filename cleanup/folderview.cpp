#include "cleanup/folderview.h"

#include <algorithm>
#include <utility>

namespace cleanup {
namespace {

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

bool lessNoCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return lower(x) < lower(y); });
}

bool isShortcut(const std::string& name) {
  static const std::string kExtension = ".lnk";
  if (name.size() <= kExtension.size()) return false;
  for (size_t i = 0; i < kExtension.size(); ++i)
    if (lower(name[name.size() - kExtension.size() + i]) != kExtension[i]) return false;
  return true;
}

std::vector<platform::ShellItem> fileSystemItems(platform::Shell& shell, platform::Files& files,
                                                 std::string folder) {
  if (folder.empty() || folder.back() != '\\') folder += '\\';
  std::vector<std::pair<bool, platform::ShellItem>> found;  // (a folder, its item)
  platform::FindData entry;
  auto find = files.findFirst(folder + "*.*", entry);
  for (bool more = find != nullptr; more; more = find->next(entry)) {
    if (entry.isDotEntry()) continue;
    platform::ShellItem item;
    item.link = !entry.isDirectory() && isShortcut(entry.name);
    item.displayName = item.link ? entry.name.substr(0, entry.name.size() - 4) : entry.name;
    item.iconIndex = shell.iconIndexOf(folder + entry.name).value_or(-1);
    item.hidden = (entry.attributes & platform::kAttrHidden) != 0;
    found.emplace_back(entry.isDirectory(), std::move(item));
  }
  std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
    if (a.first != b.first) return a.first;
    return lessNoCase(a.second.displayName, b.second.displayName);
  });
  std::vector<platform::ShellItem> items;
  for (auto& f : found) items.push_back(std::move(f.second));
  return items;
}

}  // namespace

std::vector<platform::ShellItem> folderItems(platform::Shell& shell, platform::Files& files,
                                             const std::string& folder) {
  auto items = shell.listFolder(folder);
  if (items.empty()) items = fileSystemItems(shell, files, folder);
  return items;
}

void prepareShortcutIcon(platform::Shell& shell, platform::Files& files,
                         const std::string& tempFolder) {
  const std::string path = tempFolder + "temp.lnk";
  const bool made = files.createNewFile(path);
  shell.iconIndexOf(path);
  // A "temp.lnk" that was there before belongs to someone else.
  if (made) files.deleteFile(path);
}

}  // namespace cleanup
