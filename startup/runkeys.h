// The registry keys under which Windows starts programs at logon, in the order the startup
// manager lists them and the process report names them, and the values found there.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace startup {

struct RunKey {
  platform::RegRoot root;
  const char* path;
  const char* label;  // "Run", "RunOnce", "RunOnceEx", "RunServices"

  std::string rootName() const { return platform::rootName(root); }
};

extern const std::array<RunKey, 7> kRunKeys;

// A Run key in one view of the registry.
struct RunKeyInView {
  const RunKey* key = nullptr;
  platform::RegView view = platform::RegView::Bits64;
  // The key's label wherever the program names it: "Run", or "Run (32-bit)" for a key of the
  // view that is not the program's own.
  std::string label;

  std::string rootName() const { return key->rootName(); }
};

// Every Run key where it is kept, in table order: each key of HKEY_LOCAL_MACHINE in every view
// that holds it apart (the program's own first), those of HKEY_CURRENT_USER in the program's
// own, which is the same for both.
std::vector<RunKeyInView> runKeysInViews(platform::Registry& registry);

// The key with this root name ("HKEY_LOCAL_MACHINE") and label as runKeysInViews names it.
std::optional<RunKeyInView> findRunKey(platform::Registry& registry, const std::string& rootName,
                                       const std::string& label);

// The value names of a key, in the registry's order; none when the key does not open. A key the
// user may not change (one of HKEY_LOCAL_MACHINE's, for a standard user) is read all the same.
std::vector<std::string> runValueNames(platform::Registry& registry, const RunKeyInView& key);

struct RunValue {
  RunKeyInView key;
  std::string name;
  std::string data;  // the command line
};

struct RunListing {
  std::vector<RunValue> values;
  // The first value passed over because its data is neither text nor empty.
  std::optional<std::string> firstNonText;
};

// Every value of the Run keys, key by key as runKeysInViews gives them. A value that is neither
// a string, an expandable string nor empty is passed over, so the values after it still show.
RunListing listRunValues(platform::Registry& registry);

enum class Deletion {
  Deleted,             // the value is gone
  Refused,             // it stays, for a reason of the system's own
  NeedsAdministrator,  // it stays: the key cannot be changed by this user
};

// Deletes the value; Deleted when it is gone afterwards, whatever the deletion answered.
Deletion deleteRunValue(platform::Registry& registry, const RunKeyInView& key,
                        const std::string& name);

}  // namespace startup
