// An in-memory registry with the behaviour the program meets on the real one: key and value
// names compare without regard to case and keep the case they were created with, values and
// subkeys enumerate in the order the system under Wine gives (sorted by name, see
// fake_registry.cpp), a key opened for reading refuses changes, and a key can be made to
// refuse opening, as one whose security forbids it. Links lead to another key as registry links
// do: every path through one reaches its target, but deleting takes the link itself.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "platform/wow64view.h"

namespace platform::fake {

class FakeRegistry : public Registry {
 public:
  FakeRegistry();
  ~FakeRegistry() override;

  std::unique_ptr<RegKey> open(RegRoot root, const std::string& path, RegAccess access) override;
  std::unique_ptr<RegKey> create(RegRoot root, const std::string& path) override;
  bool deleteTree(RegRoot root, const std::string& path) override;
  std::optional<std::string> linkTarget(RegRoot root, const std::string& path) override;
  // A 64-bit program: on 64-bit Windows (sixtyFourBitWindows) with the 32-bit view below
  // Wow6432Node, elsewhere with its own view alone.
  std::vector<RegView> views() override;
  Registry& inView(RegView view) override;
  std::string pathForRegedit(RegRoot root, const std::string& path) override;
  bool sixtyFourBitWindows = false;

  // A registry link at path (its parent must exist) leading to the key at target below
  // targetRoot, which need not exist.
  bool createLink(RegRoot root, const std::string& path, RegRoot targetRoot,
                  const std::string& target);

  // From now on, opening the existing key at path with `access` or more is refused: Read
  // refuses every open, AllAccess only the opens for changing it (and creating below it).
  void refuse(RegRoot root, const std::string& path, RegAccess access);

  struct Node;

 private:
  std::array<std::shared_ptr<Node>, 3> roots_;
  Wow64View wow64_{*this};
};

}  // namespace platform::fake
