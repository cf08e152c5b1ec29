#include "platform/fake/fake_registry.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "platform/textcase.h"

namespace platform::fake {

struct FakeRegistry::Node {
  std::string name;
  std::vector<std::pair<std::string, RegValue>> values;  // in enumeration order
  std::vector<std::shared_ptr<Node>> subkeys;             // in enumeration order
  std::optional<RegAccess> refused;
  // For a link: where it leads, as a root and the names below it.
  std::optional<std::pair<RegRoot, std::vector<std::string>>> link;
  bool deleted = false;  // open handles of a deleted key fail every call, as on Windows
};

namespace {

using Node = FakeRegistry::Node;

// The order of the Wine registry, which keeps values and subkeys sorted for its lookups:
// letters compare as lower case, character by character, and a name that is the start of
// another comes first. (Windows itself lists values in creation order; the program shows
// whichever order the system gives, so tests must not build on more than that.)
bool registryOrder(const std::string& a, const std::string& b) { return AsciiNoCaseLess()(a, b); }

template <typename Item, typename NameOf>
auto findNamed(std::vector<Item>& items, const std::string& name, NameOf nameOf) {
  return std::find_if(items.begin(), items.end(),
                      [&](const Item& item) { return equalsAsciiNoCase(nameOf(item), name); });
}

template <typename Item, typename NameOf>
void insertSorted(std::vector<Item>& items, Item item, NameOf nameOf) {
  auto at = std::find_if(items.begin(), items.end(), [&](const Item& other) {
    return registryOrder(nameOf(item), nameOf(other));
  });
  items.insert(at, std::move(item));
}

const std::string& nodeName(const std::shared_ptr<Node>& n) { return n->name; }
const std::string& valueName(const std::pair<std::string, RegValue>& v) { return v.first; }

bool allows(const Node& node, RegAccess access) {
  if (!node.refused) return true;
  return *node.refused == RegAccess::AllAccess && access == RegAccess::Read;
}

// Key names between backslashes. Repeated, leading and trailing backslashes separate
// nothing, as the system reads them.
std::vector<std::string> splitPath(const std::string& path) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start < path.size()) {
    size_t end = path.find('\\', start);
    if (end == std::string::npos) end = path.size();
    if (end > start) parts.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

std::shared_ptr<Node> child(Node& parent, const std::string& name) {
  auto it = findNamed(parent.subkeys, name, nodeName);
  return it == parent.subkeys.end() ? nullptr : *it;
}

using Roots = std::array<std::shared_ptr<Node>, 3>;

// Links followed one after another before the system gives up, as it does on a loop.
constexpr int kMaxLinkHops = 16;

std::shared_ptr<Node> walk(const Roots& roots, std::shared_ptr<Node> node,
                           const std::vector<std::string>& parts, size_t count, int hops = 0);

// What a link leads to; null for a loop or a target that is missing.
std::shared_ptr<Node> followed(const Roots& roots, std::shared_ptr<Node> node, int hops) {
  if (!node || !node->link) return node;
  if (hops >= kMaxLinkHops) return nullptr;
  const auto& [root, parts] = *node->link;
  return walk(roots, roots[static_cast<size_t>(root)], parts, parts.size(), hops + 1);
}

// The key reached by the first count names of parts, every link on the way followed; null
// when one is missing. The key reached is itself not followed.
std::shared_ptr<Node> walk(const Roots& roots, std::shared_ptr<Node> node,
                           const std::vector<std::string>& parts, size_t count, int hops) {
  for (size_t i = 0; i < count && node; ++i) {
    node = followed(roots, node, hops);
    if (node) node = child(*node, parts[i]);
  }
  return node;
}

// The key at the first count names of parts below root, as opening it reaches it: a link at
// the end is followed too.
std::shared_ptr<Node> reach(const Roots& roots, RegRoot root, const std::vector<std::string>& parts,
                            size_t count) {
  return followed(roots, walk(roots, roots[static_cast<size_t>(root)], parts, count), 0);
}

std::string ntName(RegRoot root, const std::vector<std::string>& parts) {
  std::string name = root == RegRoot::LocalMachine ? "\\Registry\\Machine"
                     : root == RegRoot::CurrentUser ? "\\Registry\\User\\CurrentUser"
                                                    : "\\Registry\\Machine\\Software\\Classes";
  for (const auto& part : parts) name += "\\" + part;
  return name;
}

class FakeKey : public RegKey {
 public:
  FakeKey(std::shared_ptr<Node> node, RegAccess access) : node_(std::move(node)), access_(access) {}

  std::vector<std::string> valueNames() override {
    std::vector<std::string> names;
    if (node_->deleted) return names;
    for (const auto& v : node_->values) names.push_back(v.first);
    return names;
  }

  std::vector<std::string> subkeyNames() override {
    std::vector<std::string> names;
    if (node_->deleted) return names;
    for (const auto& k : node_->subkeys) names.push_back(k->name);
    return names;
  }

  std::optional<RegValue> read(const std::string& name) override {
    if (node_->deleted) return std::nullopt;
    auto it = findNamed(node_->values, name, valueName);
    if (it == node_->values.end()) return std::nullopt;
    return it->second;
  }

  bool write(const std::string& name, const RegValue& value) override {
    if (!changeable()) return false;
    auto it = findNamed(node_->values, name, valueName);
    if (it != node_->values.end())
      it->second = value;  // the stored name keeps its first spelling
    else
      insertSorted(node_->values, std::make_pair(name, value), valueName);
    return true;
  }

  bool deleteValue(const std::string& name) override {
    if (!changeable()) return false;
    auto it = findNamed(node_->values, name, valueName);
    if (it == node_->values.end()) return false;
    node_->values.erase(it);
    return true;
  }

 private:
  bool changeable() const { return !node_->deleted && access_ == RegAccess::AllAccess; }

  std::shared_ptr<Node> node_;
  RegAccess access_;
};

// Deletes the deepest keys first; a key that refuses full access stops the deletion of
// itself and of everything below it, and keeps its ancestors. A link goes without being
// entered.
bool removeTree(Node& parent, const std::shared_ptr<Node>& node) {
  if (!allows(*node, RegAccess::AllAccess)) return false;
  const auto subkeys = node->link ? std::vector<std::shared_ptr<Node>>() : node->subkeys;
  for (const auto& sub : subkeys) removeTree(*node, sub);
  if (!node->subkeys.empty()) return false;
  node->deleted = true;
  parent.subkeys.erase(std::find(parent.subkeys.begin(), parent.subkeys.end(), node));
  return true;
}

}  // namespace

FakeRegistry::FakeRegistry() {
  for (auto& root : roots_) root = std::make_shared<Node>();
}

FakeRegistry::~FakeRegistry() = default;

std::unique_ptr<RegKey> FakeRegistry::open(RegRoot root, const std::string& path, RegAccess access) {
  const auto parts = splitPath(path);
  auto node =
      reach(roots_, root, parts, parts.size());
  if (!node || !allows(*node, access)) return nullptr;
  return std::make_unique<FakeKey>(node, access);
}

std::unique_ptr<RegKey> FakeRegistry::create(RegRoot root, const std::string& path) {
  auto node = roots_[static_cast<size_t>(root)];
  for (const auto& part : splitPath(path)) {
    node = followed(roots_, node, 0);
    if (!node) return nullptr;
    auto next = child(*node, part);
    if (!next) {
      if (!allows(*node, RegAccess::AllAccess)) return nullptr;
      next = std::make_shared<Node>();
      next->name = part;
      insertSorted(node->subkeys, next, nodeName);
    }
    node = next;
  }
  node = followed(roots_, node, 0);
  if (!node || !allows(*node, RegAccess::AllAccess)) return nullptr;
  return std::make_unique<FakeKey>(node, RegAccess::AllAccess);
}

bool FakeRegistry::deleteTree(RegRoot root, const std::string& path) {
  const auto parts = splitPath(path);
  if (parts.empty()) return false;
  auto parent = reach(roots_, root, parts, parts.size() - 1);
  auto node = parent ? child(*parent, parts.back()) : nullptr;
  return node && removeTree(*parent, node);
}

std::optional<std::string> FakeRegistry::linkTarget(RegRoot root, const std::string& path) {
  const auto parts = splitPath(path);
  auto node = walk(roots_, roots_[static_cast<size_t>(root)], parts, parts.size());
  if (parts.empty() || !node || !node->link) return std::nullopt;
  return ntName(node->link->first, node->link->second);
}

bool FakeRegistry::createLink(RegRoot root, const std::string& path, RegRoot targetRoot,
                              const std::string& target) {
  const auto parts = splitPath(path);
  if (parts.empty()) return false;
  auto parent = reach(roots_, root, parts, parts.size() - 1);
  if (!parent || child(*parent, parts.back())) return false;
  auto link = std::make_shared<Node>();
  link->name = parts.back();
  link->link = std::make_pair(targetRoot, splitPath(target));
  insertSorted(parent->subkeys, link, nodeName);
  return true;
}

std::vector<RegView> FakeRegistry::views() {
  if (sixtyFourBitWindows) return {RegView::Bits64, RegView::Bits32};
  return {RegView::Bits64};
}

Registry& FakeRegistry::inView(RegView view) {
  return view == RegView::Bits32 && sixtyFourBitWindows ? static_cast<Registry&>(wow64_) : *this;
}

std::string FakeRegistry::pathForRegedit(RegRoot, const std::string& path) {
  return !path.empty() && path[0] == '\\' ? path.substr(1) : path;
}

void FakeRegistry::refuse(RegRoot root, const std::string& path, RegAccess access) {
  const auto parts = splitPath(path);
  auto node =
      reach(roots_, root, parts, parts.size());
  if (node) node->refused = access;
}

}  // namespace platform::fake
