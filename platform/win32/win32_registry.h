// The registry through advapi32's ANSI calls.
#pragma once

#include "platform/registry.h"

namespace platform::win32 {

class Win32Registry : public Registry {
 public:
  std::unique_ptr<RegKey> open(RegRoot root, const std::string& path, RegAccess access) override;
  std::unique_ptr<RegKey> create(RegRoot root, const std::string& path) override;
  // Walks the tree itself (deepest keys first) rather than relying on RegDeleteTree, which
  // older systems lack.
  bool deleteTree(RegRoot root, const std::string& path) override;
  std::optional<std::string> linkTarget(RegRoot root, const std::string& path) override;
};

}  // namespace platform::win32
