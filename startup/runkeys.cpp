#include "startup/runkeys.h"

namespace startup {

using platform::RegRoot;

const std::array<RunKey, 7> kRunKeys = {{
    {RegRoot::LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "Run"},
    {RegRoot::LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce", "RunOnce"},
    {RegRoot::LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnceEx", "RunOnceEx"},
    {RegRoot::LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunServices",
     "RunServices"},
    {RegRoot::CurrentUser, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "Run"},
    {RegRoot::CurrentUser, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce", "RunOnce"},
    {RegRoot::CurrentUser, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunServices",
     "RunServices"},
}};

const RunKey* findRunKey(const std::string& rootName, const std::string& label) {
  for (const RunKey& key : kRunKeys)
    if (key.rootName() == rootName && label == key.label) return &key;
  return nullptr;
}

std::vector<std::string> runValueNames(platform::Registry& registry, const RunKey& key) {
  auto open = registry.open(key.root, key.path, platform::RegAccess::AllAccess);
  return open ? open->valueNames() : std::vector<std::string>{};
}

RunListing listRunValues(platform::Registry& registry) {
  RunListing listing;
  for (const RunKey& key : kRunKeys) {
    auto open = registry.open(key.root, key.path, platform::RegAccess::AllAccess);
    if (!open) continue;
    for (const std::string& name : open->valueNames()) {
      std::optional<std::string> text = open->readString(name);
      if (!text) {
        auto value = open->read(name);
        // A value that vanished since the names were read is no longer a startup entry.
        if (!value) continue;
        if (!value->data.empty()) {
          if (!listing.firstNonText) listing.firstNonText = name;
          continue;
        }
        text = std::string();
      }
      listing.values.push_back({&key, name, std::move(*text)});
    }
  }
  return listing;
}

bool deleteRunValue(platform::Registry& registry, const RunKey& key, const std::string& name) {
  if (auto open = registry.open(key.root, key.path, platform::RegAccess::AllAccess))
    open->deleteValue(name);
  auto check = registry.open(key.root, key.path, platform::RegAccess::Read);
  return !check || !check->read(name);
}

}  // namespace startup
