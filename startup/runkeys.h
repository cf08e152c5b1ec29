// The registry keys under which Windows starts programs at logon, in the order the startup
// manager lists them and the process report names them, and the values found there.
#pragma once

#include <array>
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

// The key with this root name ("HKEY_LOCAL_MACHINE") and label, or null.
const RunKey* findRunKey(const std::string& rootName, const std::string& label);

// The value names of a key opened for full access, in the registry's order; none when the key
// does not open so.
std::vector<std::string> runValueNames(platform::Registry& registry, const RunKey& key);

struct RunValue {
  const RunKey* key = nullptr;
  std::string name;
  std::string data;  // the command line
};

struct RunListing {
  std::vector<RunValue> values;
  // The first value passed over because its data is neither text nor empty.
  std::optional<std::string> firstNonText;
};

// Every value of the seven keys, key by key in table order. A value that is neither a string,
// an expandable string nor empty is passed over, so the values after it still show.
RunListing listRunValues(platform::Registry& registry);

// Deletes the value; true when it is gone afterwards, whatever the deletion answered.
bool deleteRunValue(platform::Registry& registry, const RunKey& key, const std::string& name);

}  // namespace startup
