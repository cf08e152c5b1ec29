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

  // The named string value of a key opened for reading; nullopt when the key or the value is
  // missing (RegKey::readString).
  std::optional<std::string> readString(RegRoot root, const std::string& path, const std::string& name);
};

}  // namespace platform
