// The shell through shell32: opening, the recycle bins and folder listings.
#pragma once

#include "platform/shell.h"

namespace platform::win32 {

class Win32Shell : public Shell {
 public:
  // Success is a result above 32.
  bool execute(uintptr_t owner, const std::string& verb, const std::string& target) override;
  // SHEmptyRecycleBinA without confirmation, progress window or sound (flags 7).
  bool emptyRecycleBin(const std::string& root) override;
  // The children of the folder (folders, files and hidden items), each read with
  // SHGetFileInfoA for icon index, display name and attributes, sorted by the desktop
  // folder's CompareIDs on column 0.
  std::vector<ShellItem> listFolder(const std::string& folder) override;
  // SHGetFileInfoA with SHGFI_SYSICONINDEX on the path.
  std::optional<int> iconIndexOf(const std::string& path) override;
};

}  // namespace platform::win32
