#include "platform/registry.h"

#include "platform/textcase.h"

namespace platform {

const char* rootName(RegRoot root) {
  switch (root) {
    case RegRoot::ClassesRoot: return "HKEY_CLASSES_ROOT";
    case RegRoot::CurrentUser: return "HKEY_CURRENT_USER";
    case RegRoot::LocalMachine: return "HKEY_LOCAL_MACHINE";
  }
  return "";
}

const char* viewName(RegView view) { return view == RegView::Bits64 ? "64-bit" : "32-bit"; }

std::optional<std::string> wow64Path(RegRoot root, const std::string& path) {
  const std::string plain = !path.empty() && path[0] == '\\' ? path.substr(1) : path;
  if (plain.empty()) return std::nullopt;
  if (root == RegRoot::ClassesRoot) return "Wow6432Node\\" + plain;
  constexpr char kSoftware[] = "software";
  const size_t n = sizeof kSoftware - 1;
  if (root != RegRoot::LocalMachine || plain.size() < n || (plain.size() > n && plain[n] != '\\') ||
      !equalsAsciiNoCase(plain.substr(0, n), kSoftware))
    return std::nullopt;
  return plain.substr(0, n) + "\\Wow6432Node" + plain.substr(n);
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

std::optional<std::string> Registry::readStringInAnyView(RegRoot root, const std::string& path,
                                                         const std::string& name) {
  for (RegView view : views())
    if (auto text = inView(view).readString(root, path, name)) return text;
  return std::nullopt;
}

std::unique_ptr<RegKey> Registry::openInAnyView(RegRoot root, const std::string& path,
                                                RegAccess access) {
  for (RegView view : views())
    if (auto key = inView(view).open(root, path, access)) return key;
  return nullptr;
}

}  // namespace platform
