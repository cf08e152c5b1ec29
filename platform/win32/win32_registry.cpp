#include "platform/win32/win32_registry.h"

#include <vector>

#include "platform/win32/win32_handle.h"

namespace platform::win32 {
namespace {

// Windows limits: a key name to 255 characters, a value name to 16383.
constexpr DWORD kMaxKeyName = 256;
constexpr DWORD kMaxValueName = 16384;
// A value that keeps changing size between two reads is given up after this many tries.
constexpr int kReadTries = 4;

HKEY rootKey(RegRoot root) {
  switch (root) {
    case RegRoot::ClassesRoot: return HKEY_CLASSES_ROOT;
    case RegRoot::CurrentUser: return HKEY_CURRENT_USER;
    case RegRoot::LocalMachine: return HKEY_LOCAL_MACHINE;
  }
  return HKEY_CURRENT_USER;
}

std::string withoutLeadingBackslash(const std::string& path) {
  return !path.empty() && path[0] == '\\' ? path.substr(1) : path;
}

bool isString(DWORD type) { return type == kRegSz || type == kRegExpandSz; }

class Win32Key : public RegKey {
 public:
  explicit Win32Key(HKEY key) : key_(key) {}
  HKEY handle() const { return key_.get(); }

  std::vector<std::string> valueNames() override {
    std::vector<std::string> names;
    std::vector<char> name(kMaxValueName);
    for (DWORD i = 0;; ++i) {
      DWORD length = kMaxValueName;
      if (RegEnumValueA(key_.get(), i, name.data(), &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        break;
      names.emplace_back(name.data(), length);
    }
    return names;
  }

  std::vector<std::string> subkeyNames() override {
    std::vector<std::string> names;
    char name[kMaxKeyName];
    for (DWORD i = 0;; ++i) {
      DWORD length = kMaxKeyName;
      if (RegEnumKeyExA(key_.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        break;
      names.emplace_back(name, length);
    }
    return names;
  }

  std::optional<RegValue> read(const std::string& name) override {
    for (int attempt = 0; attempt < kReadTries; ++attempt) {
      DWORD type = 0;
      DWORD size = 0;
      if (RegQueryValueExA(key_.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
      std::string data(size, '\0');
      const LONG result = RegQueryValueExA(key_.get(), name.c_str(), nullptr, &type,
                                           reinterpret_cast<BYTE*>(&data[0]), &size);
      if (result == ERROR_MORE_DATA) continue;
      if (result != ERROR_SUCCESS) return std::nullopt;
      data.resize(size);
      if (isString(type) && !data.empty() && data.back() == '\0') data.pop_back();
      return RegValue{type, std::move(data)};
    }
    return std::nullopt;
  }

  bool write(const std::string& name, const RegValue& value) override {
    std::string data = value.data;
    if (isString(value.type)) data += '\0';
    if (data.size() > MAXDWORD) return false;
    return RegSetValueExA(key_.get(), name.c_str(), 0, value.type,
                          reinterpret_cast<const BYTE*>(data.data()),
                          static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
  }

  bool deleteValue(const std::string& name) override {
    return RegDeleteValueA(key_.get(), name.c_str()) == ERROR_SUCCESS;
  }

 private:
  Key key_;
};

REGSAM samOf(RegAccess access) { return access == RegAccess::Read ? KEY_READ : KEY_ALL_ACCESS; }

Key openKey(HKEY parent, const std::string& path, REGSAM sam) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(parent, path.c_str(), 0, sam, &key) != ERROR_SUCCESS) return nullptr;
  return Key(key);
}

// Subkeys are collected before any is deleted, since deleting shifts the enumeration.
bool deleteKeyTree(HKEY parent, const std::string& name) {
  {
    Key key = openKey(parent, name, KEY_ALL_ACCESS);
    if (!key) return false;
    Win32Key view(key.release());
    for (const auto& sub : view.subkeyNames()) deleteKeyTree(view.handle(), sub);
  }
  return RegDeleteKeyA(parent, name.c_str()) == ERROR_SUCCESS;
}

}  // namespace

std::unique_ptr<RegKey> Win32Registry::open(RegRoot root, const std::string& path, RegAccess access) {
  Key key = openKey(rootKey(root), withoutLeadingBackslash(path), samOf(access));
  if (!key) return nullptr;
  return std::make_unique<Win32Key>(key.release());
}

std::unique_ptr<RegKey> Win32Registry::create(RegRoot root, const std::string& path) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(rootKey(root), withoutLeadingBackslash(path).c_str(), 0, nullptr,
                      REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return nullptr;
  return std::make_unique<Win32Key>(key);
}

bool Win32Registry::deleteTree(RegRoot root, const std::string& path) {
  // Backslashes alone name the root itself, which is never deleted.
  if (path.find_first_not_of('\\') == std::string::npos) return false;
  return deleteKeyTree(rootKey(root), withoutLeadingBackslash(path));
}

}  // namespace platform::win32
