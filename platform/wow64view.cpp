#include "platform/wow64view.h"

namespace platform {

std::unique_ptr<RegKey> Wow64View::open(RegRoot root, const std::string& path, RegAccess access) {
  const auto there = wow64Path(root, path);
  return there ? own_.open(root, *there, access) : nullptr;
}

std::unique_ptr<RegKey> Wow64View::create(RegRoot root, const std::string& path) {
  const auto there = wow64Path(root, path);
  return there ? own_.create(root, *there) : nullptr;
}

bool Wow64View::deleteTree(RegRoot root, const std::string& path) {
  const auto there = wow64Path(root, path);
  return there && own_.deleteTree(root, *there);
}

std::optional<std::string> Wow64View::linkTarget(RegRoot root, const std::string& path) {
  const auto there = wow64Path(root, path);
  return there ? own_.linkTarget(root, *there) : std::nullopt;
}

std::string Wow64View::pathForRegedit(RegRoot root, const std::string& path) {
  return wow64Path(root, path).value_or(own_.pathForRegedit(root, path));
}

}  // namespace platform
