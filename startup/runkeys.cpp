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

namespace {

// Full access where the user may change the key; for reading where only that is allowed.
std::unique_ptr<platform::RegKey> openRunKey(platform::Registry& registry, const RunKeyInView& key) {
  platform::Registry& view = registry.inView(key.view);
  if (auto open = view.open(key.key->root, key.key->path, platform::RegAccess::AllAccess)) return open;
  return view.open(key.key->root, key.key->path, platform::RegAccess::Read);
}

}  // namespace

std::vector<RunKeyInView> runKeysInViews(platform::Registry& registry) {
  const std::vector<platform::RegView> views = registry.views();
  std::vector<RunKeyInView> keys;
  for (const RunKey& key : kRunKeys) {
    for (platform::RegView view : views) {
      const bool own = view == views.front();
      if (!own && key.root != RegRoot::LocalMachine) continue;
      keys.push_back(RunKeyInView{
          &key, view, own ? key.label : key.label + std::string(" (") + platform::viewName(view) + ")"});
    }
  }
  return keys;
}

std::optional<RunKeyInView> findRunKey(platform::Registry& registry, const std::string& rootName,
                                       const std::string& label) {
  for (const RunKeyInView& key : runKeysInViews(registry))
    if (key.rootName() == rootName && key.label == label) return key;
  return std::nullopt;
}

std::vector<std::string> runValueNames(platform::Registry& registry, const RunKeyInView& key) {
  auto open = openRunKey(registry, key);
  return open ? open->valueNames() : std::vector<std::string>{};
}

RunListing listRunValues(platform::Registry& registry) {
  RunListing listing;
  for (const RunKeyInView& key : runKeysInViews(registry)) {
    auto open = openRunKey(registry, key);
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
      listing.values.push_back({key, name, std::move(*text)});
    }
  }
  return listing;
}

Deletion deleteRunValue(platform::Registry& registry, const RunKeyInView& key,
                        const std::string& name) {
  platform::Registry& view = registry.inView(key.view);
  auto open = view.open(key.key->root, key.key->path, platform::RegAccess::AllAccess);
  if (open) open->deleteValue(name);
  auto check = view.open(key.key->root, key.key->path, platform::RegAccess::Read);
  if (!check || !check->read(name)) return Deletion::Deleted;
  return open ? Deletion::Refused : Deletion::NeedsAdministrator;
}

}  // namespace startup
