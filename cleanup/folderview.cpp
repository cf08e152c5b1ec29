#include "cleanup/folderview.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "platform/textcase.h"

namespace cleanup {
namespace {

bool isShortcut(const std::string& name) {
  return name.size() > 4 && platform::equalsAsciiNoCase(std::string_view(name).substr(name.size() - 4), ".lnk");
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
    return platform::AsciiNoCaseLess{}(a.second.displayName, b.second.displayName);
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
