// The 32-bit view of the registry as a 64-bit program reaches it: through the keys below
// "Wow6432Node" (wow64Path). A key that the system shares between the views has no copy there,
// so it is not found in this view, and nothing is found twice.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace platform {

class Wow64View : public Registry {
 public:
  // own: the registry in the 64-bit view, which the view belongs to.
  explicit Wow64View(Registry& own) : own_(own) {}

  std::unique_ptr<RegKey> open(RegRoot root, const std::string& path, RegAccess access) override;
  std::unique_ptr<RegKey> create(RegRoot root, const std::string& path) override;
  bool deleteTree(RegRoot root, const std::string& path) override;
  std::optional<std::string> linkTarget(RegRoot root, const std::string& path) override;
  std::vector<RegView> views() override { return own_.views(); }
  std::string pathForRegedit(RegRoot root, const std::string& path) override;
  Registry& inView(RegView view) override { return own_.inView(view); }

 private:
  Registry& own_;
};

}  // namespace platform
