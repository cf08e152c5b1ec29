// The registry through advapi32's ANSI calls.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "platform/registry.h"

namespace platform::win32 {

class Win32Registry : public Registry {
 public:
  // The registry in the program's own view, with the other view beside it on 64-bit Windows.
  Win32Registry();
  ~Win32Registry() override;
  Win32Registry(const Win32Registry&) = delete;
  Win32Registry& operator=(const Win32Registry&) = delete;

  std::unique_ptr<RegKey> open(RegRoot root, const std::string& path, RegAccess access) override;
  std::unique_ptr<RegKey> create(RegRoot root, const std::string& path) override;
  // Walks the tree itself (deepest keys first) rather than relying on RegDeleteTree, which
  // older systems lack.
  bool deleteTree(RegRoot root, const std::string& path) override;
  std::optional<std::string> linkTarget(RegRoot root, const std::string& path) override;
  std::vector<RegView> views() override;
  Registry& inView(RegView view) override;
  std::string pathForRegedit(RegRoot root, const std::string& path) override;

 private:
  // The other view of a 32-bit program, opened with the view's flag (which the systems without
  // views refuse, so it is passed nowhere else).
  Win32Registry(Win32Registry& owner, REGSAM view);
  bool holds(RegRoot root, const std::string& path) const;

  Win32Registry* owner_ = nullptr;
  REGSAM view_ = 0;
  std::vector<RegView> views_;
  std::unique_ptr<Registry> other_;
};

}  // namespace platform::win32
