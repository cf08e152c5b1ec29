#include "platform/win32/win32_registry.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "platform/win32/optional_api.h"
#include "platform/win32/win32_handle.h"
#include "platform/wow64view.h"

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

std::vector<std::string> subkeyNamesOf(HKEY key) {
  std::vector<std::string> names;
  char name[kMaxKeyName];
  for (DWORD i = 0;; ++i) {
    DWORD length = kMaxKeyName;
    if (RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      break;
    names.emplace_back(name, length);
  }
  return names;
}

class Win32Key : public RegKey {
 public:
  explicit Win32Key(HKEY key) : key_(key) {}

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

  std::vector<std::string> subkeyNames() override { return subkeyNamesOf(key_.get()); }

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

Key openKey(HKEY parent, const std::string& path, REGSAM sam, DWORD options = 0) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(parent, path.c_str(), options, sam, &key) != ERROR_SUCCESS) return nullptr;
  return Key(key);
}

// Opens the key at path itself, a link as the link rather than what it leads to. The systems
// that have registry links are the ones that can delete a key through its handle; 98 and ME
// have neither and take no options.
Key openAsLink(HKEY parent, const std::string& path, REGSAM sam) {
  return openKey(parent, path, sam, optionalApi().NtDeleteKey ? REG_OPTION_OPEN_LINK : 0);
}

// A key opened as the link holds the target in this value, of this type, and nothing else.
constexpr wchar_t kLinkValue[] = L"SymbolicLinkValue";

std::optional<std::string> linkOf(HKEY key) {
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExW(key, kLinkValue, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      type != REG_LINK)
    return std::nullopt;
  std::wstring target(size / sizeof(wchar_t) + 1, L'\0');
  if (RegQueryValueExW(key, kLinkValue, nullptr, &type, reinterpret_cast<BYTE*>(&target[0]),
                       &size) != ERROR_SUCCESS)
    return std::string();
  target.resize(size / sizeof(wchar_t));
  const int wide = static_cast<int>(target.size());
  const int length = WideCharToMultiByte(CP_ACP, 0, target.data(), wide, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(std::max(length, 0)), '\0');
  if (length > 0) WideCharToMultiByte(CP_ACP, 0, target.data(), wide, &text[0], length, nullptr, nullptr);
  return text;
}

// Each key is opened as itself and deleted through the handle that was checked, so a link goes
// as the link and is never entered. Subkeys are collected before any is deleted, since
// deleting shifts the enumeration. view: the flag of the view the tree lies in.
bool deleteKeyTree(HKEY parent, const std::string& name, REGSAM view) {
  Key key = openAsLink(parent, name, KEY_ALL_ACCESS | view);
  if (!key) return false;
  if (!linkOf(key.get()))
    for (const auto& sub : subkeyNamesOf(key.get())) deleteKeyTree(key.get(), sub, view);
  if (const auto deleteKey = optionalApi().NtDeleteKey) return deleteKey(key.get()) >= 0;
  key.reset();
  return RegDeleteKeyA(parent, name.c_str()) == ERROR_SUCCESS;
}

// The width of the program, whose view is its own.
constexpr RegView kOwnView = sizeof(void*) == 8 ? RegView::Bits64 : RegView::Bits32;

// A 32-bit program runs on 64-bit Windows under WOW64. Systems that cannot tell (2000, 98, ME,
// the first XP) are 32-bit ones.
bool onSixtyFourBitWindows() {
  if (kOwnView == RegView::Bits64) return true;
  BOOL wow64 = FALSE;
  const auto isWow64 = optionalApi().IsWow64Process;
  return isWow64 && isWow64(GetCurrentProcess(), &wow64) && wow64;
}

}  // namespace

Win32Registry::Win32Registry() {
  views_.push_back(kOwnView);
  if (!onSixtyFourBitWindows()) return;
  if (kOwnView == RegView::Bits64) {
    views_.push_back(RegView::Bits32);
    other_ = std::make_unique<Wow64View>(*this);
  } else {
    views_.push_back(RegView::Bits64);
    other_.reset(new Win32Registry(*this, KEY_WOW64_64KEY));
  }
}

Win32Registry::Win32Registry(Win32Registry& owner, REGSAM view) : owner_(&owner), view_(view) {}

Win32Registry::~Win32Registry() = default;

std::vector<RegView> Win32Registry::views() { return owner_ ? owner_->views() : views_; }

Registry& Win32Registry::inView(RegView view) {
  if (owner_) return owner_->inView(view);
  return view != kOwnView && other_ ? *other_ : *this;
}

// A key of a 32-bit program's own view on 64-bit Windows lies below Wow6432Node, unless the
// system shares it between the views.
std::string Win32Registry::pathForRegedit(RegRoot root, const std::string& path) {
  const std::string plain = withoutLeadingBackslash(path);
  if (owner_ || kOwnView == RegView::Bits64 || !other_) return plain;
  const auto copy = wow64Path(root, plain);
  return copy && openKey(rootKey(root), *copy, KEY_READ | KEY_WOW64_64KEY) ? *copy : plain;
}

// The 64-bit view as a 32-bit program reaches it holds, apart from its own view, the keys of the
// parts that have a view each (HKLM\Software, the classes) that have a 32-bit copy, and those
// that the own view lacks (64-bit keys alone). A key there without a copy that the own view
// finds all the same is one the system shares, found in the own view alone.
bool Win32Registry::holds(RegRoot root, const std::string& path) const {
  if (!view_) return true;
  const auto copy = wow64Path(root, path);
  if (!copy) return false;
  if (openKey(rootKey(root), *copy, KEY_READ | view_)) return true;
  return !openKey(rootKey(root), withoutLeadingBackslash(path), KEY_READ);
}

std::unique_ptr<RegKey> Win32Registry::open(RegRoot root, const std::string& path, RegAccess access) {
  if (!holds(root, path)) return nullptr;
  Key key = openKey(rootKey(root), withoutLeadingBackslash(path), samOf(access) | view_);
  if (!key) return nullptr;
  return std::make_unique<Win32Key>(key.release());
}

std::unique_ptr<RegKey> Win32Registry::create(RegRoot root, const std::string& path) {
  if (!holds(root, path)) return nullptr;
  HKEY key = nullptr;
  if (RegCreateKeyExA(rootKey(root), withoutLeadingBackslash(path).c_str(), 0, nullptr,
                      REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS | view_, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    return nullptr;
  return std::make_unique<Win32Key>(key);
}

bool Win32Registry::deleteTree(RegRoot root, const std::string& path) {
  // Backslashes alone name the root itself, which is never deleted.
  if (path.find_first_not_of('\\') == std::string::npos || !holds(root, path)) return false;
  return deleteKeyTree(rootKey(root), withoutLeadingBackslash(path), view_);
}

std::optional<std::string> Win32Registry::linkTarget(RegRoot root, const std::string& path) {
  if (path.find_first_not_of('\\') == std::string::npos || !holds(root, path)) return std::nullopt;
  Key key = openAsLink(rootKey(root), withoutLeadingBackslash(path), KEY_QUERY_VALUE | view_);
  return key ? linkOf(key.get()) : std::nullopt;
}

}  // namespace platform::win32
