#include "platform/win32/win32_shell.h"

#include "platform/win32/optional_api.h"
#include "platform/win32/win32_handle.h"

#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>

namespace platform::win32 {
namespace {

using Pidl = TaskMem<ITEMIDLIST>;

// Every listing runs inside its own COM apartment reference, balanced on the way out.
class ComScope {
 public:
  ComScope() : ok_(SUCCEEDED(CoInitialize(nullptr))) {}
  ~ComScope() {
    if (ok_) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  bool ok_;
};

std::wstring wide(const std::string& text) {
  const int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  if (n <= 0) return std::wstring();
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &out[0], n);
  out.resize(static_cast<size_t>(n - 1));
  return out;
}

struct Listed {
  Pidl absolute;
  ShellItem item;
};

// What the file viewer needs of an item; an item whose information cannot be read stays
// without name and icon.
ShellItem describe(PCIDLIST_ABSOLUTE pidl) {
  ShellItem item;
  SHFILEINFOA info{};
  const UINT flags = SHGFI_SYSICONINDEX | SHGFI_PIDL | SHGFI_DISPLAYNAME | SHGFI_ATTRIBUTES;  // 0x4A08
  if (!SHGetFileInfoA(reinterpret_cast<LPCSTR>(pidl), 0, &info, sizeof info, flags)) return item;
  info.szDisplayName[sizeof info.szDisplayName - 1] = '\0';
  item.displayName = info.szDisplayName;
  item.iconIndex = info.iIcon;
  item.hidden = (info.dwAttributes & SFGAO_HIDDEN) != 0;
  item.shared = (info.dwAttributes & SFGAO_SHARE) != 0;
  item.link = (info.dwAttributes & SFGAO_LINK) != 0;
  // Windows draws the shortcut arrow as an overlay of the list; Wine's system image list has no
  // overlays and gives a link the arrow only in an icon of its own, asked for with this flag.
  SHFILEINFOA overlaid{};
  if (item.link && SHGetFileInfoA(reinterpret_cast<LPCSTR>(pidl), 0, &overlaid, sizeof overlaid,
                                  SHGFI_SYSICONINDEX | SHGFI_PIDL | SHGFI_LINKOVERLAY))
    item.iconIndex = overlaid.iIcon;
  return item;
}

}  // namespace

bool Win32Shell::execute(uintptr_t owner, const std::string& verb, const std::string& target) {
  const auto result = reinterpret_cast<INT_PTR>(ShellExecuteA(reinterpret_cast<HWND>(owner), verb.c_str(),
                                                              target.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  return result > 32;
}

bool Win32Shell::emptyRecycleBin(const std::string& root) {
  const DWORD flags = SHERB_NOCONFIRMATION | SHERB_NOPROGRESSUI | SHERB_NOSOUND;
  return SUCCEEDED(SHEmptyRecycleBinA(nullptr, root.empty() ? nullptr : root.c_str(), flags));
}

std::vector<ShellItem> Win32Shell::listFolder(const std::string& folder) {
  ComScope com;
  std::vector<ShellItem> items;
  const auto combine = optionalApi().ILCombine;
  if (!combine) return items;
  ComPtr<IShellFolder> desktop;
  if (FAILED(SHGetDesktopFolder(desktop.out()))) return items;

  std::wstring path = wide(folder);
  LPITEMIDLIST rawFolder = nullptr;
  if (path.empty() ||
      FAILED(desktop->ParseDisplayName(nullptr, nullptr, &path[0], nullptr, &rawFolder, nullptr)))
    return items;
  Pidl folderPidl(rawFolder);
  ComPtr<IShellFolder> shellFolder;
  if (FAILED(desktop->BindToObject(folderPidl.get(), nullptr, IID_IShellFolder, shellFolder.outVoid())))
    return items;
  ComPtr<IEnumIDList> children;
  const SHCONTF which = SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN;  // 0xE0
  if (shellFolder->EnumObjects(nullptr, which, children.out()) != S_OK || !children) return items;

  std::vector<Listed> listed;
  LPITEMIDLIST rawChild = nullptr;
  while (children->Next(1, &rawChild, nullptr) == S_OK) {
    Pidl child(rawChild);
    Pidl absolute(combine(folderPidl.get(), child.get()));
    if (!absolute) continue;
    ShellItem item = describe(absolute.get());
    listed.push_back({std::move(absolute), std::move(item)});
  }
  // Only the sign of the low 16 bits of the answer counts.
  std::stable_sort(listed.begin(), listed.end(), [&](const Listed& a, const Listed& b) {
    const HRESULT order = desktop->CompareIDs(0, a.absolute.get(), b.absolute.get());
    return static_cast<short>(order & 0xFFFF) < 0;
  });
  for (auto& l : listed) items.push_back(std::move(l.item));
  return items;
}

std::optional<int> Win32Shell::iconIndexOf(const std::string& path) {
  SHFILEINFOA info{};
  if (!SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX)) return std::nullopt;
  return info.iIcon;
}

}  // namespace platform::win32
