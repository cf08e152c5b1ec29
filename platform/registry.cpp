#include "platform/registry.h"

namespace platform {

const char* rootName(RegRoot root) {
  switch (root) {
    case RegRoot::ClassesRoot: return "HKEY_CLASSES_ROOT";
    case RegRoot::CurrentUser: return "HKEY_CURRENT_USER";
    case RegRoot::LocalMachine: return "HKEY_LOCAL_MACHINE";
  }
  return "";
}

std::optional<std::string> RegKey::readString(const std::string& name) {
  auto v = read(name);
  if (!v || (v->type != kRegSz && v->type != kRegExpandSz)) return std::nullopt;
  std::string s = v->data;
  const auto zero = s.find('\0');
  if (zero != std::string::npos) s.resize(zero);
  return s;
}

std::optional<std::string> Registry::readString(RegRoot root, const std::string& path, const std::string& name) {
  auto key = open(root, path, RegAccess::Read);
  return key ? key->readString(name) : std::nullopt;
}

}  // namespace platform
