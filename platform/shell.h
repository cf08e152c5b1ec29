// The shell: opening documents, folders and addresses, the recycle bins, and folder listings
// with display names and system icons for the file viewer.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

struct ShellItem {
  std::string displayName;
  int iconIndex = -1;  // into the system image list
  bool hidden = false;
  bool shared = false;
  bool link = false;
};

class Shell {
 public:
  virtual ~Shell() = default;
  // ShellExecuteA(owner, verb, target, no parameters, no directory, SW_SHOWNORMAL).
  // owner is the native window (0 for none); true when the shell took the request.
  virtual bool execute(uintptr_t owner, const std::string& verb, const std::string& target) = 0;
  virtual bool emptyRecycleBin(const std::string& root) = 0;
  // The folder's items as the shell presents them, in the shell's order.
  virtual std::vector<ShellItem> listFolder(const std::string& folder) = 0;
  // The system icon index of an existing file or folder; nullopt when the shell has none.
  virtual std::optional<int> iconIndexOf(const std::string& path) = 0;
};

}  // namespace platform
