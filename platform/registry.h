// The registry as the program uses it: keys opened below the three roots with an access mode,
// typed values, value names in the order the registry enumerates them, writes and deletions.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

enum class RegRoot { ClassesRoot, CurrentUser, LocalMachine };

// "HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE".
const char* rootName(RegRoot root);

enum class RegAccess { Read, AllAccess };

// 64-bit Windows keeps HKEY_LOCAL_MACHINE\Software and HKEY_CLASSES_ROOT twice over: once for
// 64-bit programs and once for 32-bit ones, whose keys lie below "Wow6432Node" as the 64-bit
// view names them. Other keys, and keys that the system shares, look the same in both.
enum class RegView { Bits64, Bits32 };

// "64-bit", "32-bit".
const char* viewName(RegView view);

// Where a key of the 32-bit view lies as the 64-bit view names it: "Software\Vendor" below
// HKEY_LOCAL_MACHINE as "Software\Wow6432Node\Vendor", "Type" below HKEY_CLASSES_ROOT as
// "Wow6432Node\Type"; nullopt for keys that have no such copy (HKEY_CURRENT_USER, the rest of
// HKEY_LOCAL_MACHINE). path may start with a backslash; the result does not.
std::optional<std::string> wow64Path(RegRoot root, const std::string& path);

// Value types (the Windows numbers).
enum : uint32_t { kRegNone = 0, kRegSz = 1, kRegExpandSz = 2, kRegBinary = 3, kRegDword = 4, kRegMultiSz = 7 };

struct RegValue {
  uint32_t type = kRegNone;
  std::string data;  // raw bytes; for strings without the terminating zero
};

// An open key; closed on destruction.
class RegKey {
 public:
  virtual ~RegKey() = default;
  virtual std::vector<std::string> valueNames() = 0;
  virtual std::vector<std::string> subkeyNames() = 0;
  virtual std::optional<RegValue> read(const std::string& name) = 0;
  virtual bool write(const std::string& name, const RegValue& value) = 0;
  virtual bool deleteValue(const std::string& name) = 0;

  // A string or expandable string value as text; nullopt for other types or a missing value.
  std::optional<std::string> readString(const std::string& name);
  bool writeString(const std::string& name, const std::string& text) {
    return write(name, RegValue{kRegSz, text});
  }
};

class Registry {
 public:
  virtual ~Registry() = default;
  // Opens an existing key; a leading backslash in path is allowed. Null when it does not
  // exist or the access is refused.
  virtual std::unique_ptr<RegKey> open(RegRoot root, const std::string& path, RegAccess access) = 0;
  // Opens or creates a key.
  virtual std::unique_ptr<RegKey> create(RegRoot root, const std::string& path) = 0;
  // Deletes a key with all its subkeys. A root itself (empty path) is never deleted. A registry
  // link met on the way, the key at path included, is deleted as the link: what it leads to
  // stays whole, wherever it lies.
  virtual bool deleteTree(RegRoot root, const std::string& path) = 0;
  // Where the key at path leads when it is itself a registry link (a key made with
  // REG_OPTION_CREATE_LINK): the system's own name of the target, such as
  // "\Registry\Machine\Software\Target". Opening a path through a link opens the target, so
  // whoever walks a tree asks this before entering a subkey. nullopt for any other key.
  virtual std::optional<std::string> linkTarget(RegRoot root, const std::string& path) = 0;

  // The views the system keeps, the program's own first: on 64-bit Windows the other one after
  // it, elsewhere the program's own alone.
  virtual std::vector<RegView> views() = 0;
  // The registry as a program of the view's width sees it, for a view of views(); the same
  // object for the program's own view. In the other view only the keys that it holds apart
  // are there: a key the system shares between the views opens in the program's own alone,
  // so that nothing is found twice.
  virtual Registry& inView(RegView view) = 0;
  RegView ownView() { return views().front(); }
  // The path of a key of this view as the 64-bit view names it (below Wow6432Node for a key
  // that the 32-bit view keeps apart), which regedit of either width brings back to this view.
  // The path itself outside 64-bit Windows. No leading backslash.
  virtual std::string pathForRegedit(RegRoot root, const std::string& path) = 0;

  // The named string value of a key opened for reading; nullopt when the key or the value is
  // missing (RegKey::readString).
  std::optional<std::string> readString(RegRoot root, const std::string& path, const std::string& name);
  // The same, in whichever view holds it first, the program's own first: what a 32-bit
  // program registered counts as much as what a 64-bit one did.
  std::optional<std::string> readStringInAnyView(RegRoot root, const std::string& path,
                                                 const std::string& name);
  std::unique_ptr<RegKey> openInAnyView(RegRoot root, const std::string& path, RegAccess access);
};

}  // namespace platform
