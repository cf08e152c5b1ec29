// The registry as the program relies on it: names without regard to case, the order values
// and subkeys come in, typed values with the default value among them, the access a key was
// opened with, and deleting whole trees.
#include <string>
#include <vector>

#include "platform/textcase.h"
#include "tests/contract/env.h"

#ifndef QEX_CONTRACT_FAKE
#include "platform/win32/optional_api.h"
#endif

namespace {

using platform::RegAccess;
using platform::RegRoot;
using platform::RegValue;

class RegistryContract : public contract::Contract {
 protected:
  platform::Registry& reg() { return sys().registry(); }
  std::string key(const std::string& below) { return std::string(contract::kScratchKey) + "\\" + below; }
  std::unique_ptr<platform::RegKey> make(const std::string& below) {
    auto k = reg().create(RegRoot::CurrentUser, key(below));
    EXPECT_NE(k, nullptr) << below;
    return k;
  }
};

TEST_F(RegistryContract, NamesMatchWithoutRegardToCaseAndKeepTheirSpelling) {
  auto k = make("MixedCase");
  ASSERT_TRUE(k->writeString("Alpha", "one"));
  ASSERT_TRUE(k->writeString("ALPHA", "two"));  // the same value
  EXPECT_EQ(k->valueNames(), std::vector<std::string>{"Alpha"});
  EXPECT_EQ(k->readString("alpha"), "two");

  auto again = reg().open(RegRoot::CurrentUser, "SOFTWARE\\qexcontract\\MIXEDCASE", RegAccess::Read);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(again->readString("aLpHa"), "two");
  auto parent = reg().open(RegRoot::CurrentUser, contract::kScratchKey, RegAccess::Read);
  ASSERT_NE(parent, nullptr);
  EXPECT_EQ(parent->subkeyNames(), std::vector<std::string>{"MixedCase"});
}

TEST_F(RegistryContract, ValuesAndSubkeysEnumerateInTheSystemsOrder) {
  auto k = make("Order");
  for (const char* name : {"b", "A_", "AA", "a", "Zeta", "ab", "_x", "", "9"})
    ASSERT_TRUE(k->writeString(name, "x")) << name;
  EXPECT_EQ(k->valueNames(),
            (std::vector<std::string>{"", "9", "_x", "a", "A_", "AA", "ab", "b", "Zeta"}));
  for (const char* name : {"b", "A_", "AA", "a"}) make(std::string("Order\\") + name);
  EXPECT_EQ(k->subkeyNames(), (std::vector<std::string>{"a", "A_", "AA", "b"}));

  // Deleting and writing again moves nothing out of that order.
  ASSERT_TRUE(k->deleteValue("AA"));
  ASSERT_TRUE(k->writeString("aa", "y"));
  EXPECT_EQ(k->valueNames(),
            (std::vector<std::string>{"", "9", "_x", "a", "A_", "aa", "ab", "b", "Zeta"}));
}

TEST_F(RegistryContract, TypedValuesComeBackAsWritten) {
  auto k = make("Types");
  const std::string dword("\x2a\x00\x00\x00", 4);
  const std::string binary("\x00\xff\x00\x01", 4);
  const std::string multi("one\0two\0\0", 9);
  ASSERT_TRUE(k->write("", RegValue{platform::kRegSz, "default"}));
  ASSERT_TRUE(k->write("Text", RegValue{platform::kRegSz, "C:\\Program Files\\x.exe -min"}));
  ASSERT_TRUE(k->write("Expand", RegValue{platform::kRegExpandSz, "%SystemRoot%\\x.exe"}));
  ASSERT_TRUE(k->write("Empty", RegValue{platform::kRegSz, ""}));
  ASSERT_TRUE(k->write("Dword", RegValue{platform::kRegDword, dword}));
  ASSERT_TRUE(k->write("Binary", RegValue{platform::kRegBinary, binary}));
  ASSERT_TRUE(k->write("Multi", RegValue{platform::kRegMultiSz, multi}));

  auto check = [&](const char* name, uint32_t type, const std::string& data) {
    auto v = k->read(name);
    ASSERT_TRUE(v.has_value()) << name;
    EXPECT_EQ(v->type, type) << name;
    EXPECT_EQ(v->data, data) << name;
  };
  check("", platform::kRegSz, "default");
  check("Text", platform::kRegSz, "C:\\Program Files\\x.exe -min");
  check("Expand", platform::kRegExpandSz, "%SystemRoot%\\x.exe");  // not expanded
  check("Empty", platform::kRegSz, "");
  check("Dword", platform::kRegDword, dword);
  check("Binary", platform::kRegBinary, binary);
  check("Multi", platform::kRegMultiSz, multi);

  EXPECT_EQ(k->readString(""), "default");
  EXPECT_EQ(k->readString("Expand"), "%SystemRoot%\\x.exe");
  EXPECT_EQ(k->readString("Dword"), std::nullopt);
  EXPECT_EQ(k->readString("Missing"), std::nullopt);
  EXPECT_EQ(k->valueNames().front(), "");
}

TEST_F(RegistryContract, MissingValuesAndKeys) {
  auto k = make("Missing");
  EXPECT_EQ(k->read("nothing"), std::nullopt);
  EXPECT_FALSE(k->deleteValue("nothing"));
  EXPECT_TRUE(k->valueNames().empty());
  EXPECT_EQ(reg().open(RegRoot::CurrentUser, key("Missing\\Deeper"), RegAccess::Read), nullptr);
  EXPECT_EQ(reg().open(RegRoot::CurrentUser, key("NotThere"), RegAccess::AllAccess), nullptr);
  // A default value that was never written is not there either.
  EXPECT_EQ(k->read(""), std::nullopt);
  // Read in one call: nothing for a missing key or value, the text of one that is there.
  k->writeString("Here", "text");
  EXPECT_EQ(reg().readString(RegRoot::CurrentUser, key("Missing"), "Here"), "text");
  EXPECT_EQ(reg().readString(RegRoot::CurrentUser, key("Missing"), "nothing"), std::nullopt);
  EXPECT_EQ(reg().readString(RegRoot::CurrentUser, key("NotThere"), "Here"), std::nullopt);
}

TEST_F(RegistryContract, PathsWithALeadingBackslashOpenAndCreateNestsKeys) {
  make("One\\Two\\Three")->writeString("v", "deep");
  auto k = reg().open(RegRoot::CurrentUser, "\\" + key("One\\Two\\Three"), RegAccess::Read);
  ASSERT_NE(k, nullptr);
  EXPECT_EQ(k->readString("v"), "deep");
  EXPECT_NE(reg().open(RegRoot::CurrentUser, key("One\\Two"), RegAccess::Read), nullptr);
}

TEST_F(RegistryContract, AKeyOpenedForReadingRefusesChanges) {
  make("ReadOnly")->writeString("v", "kept");
  auto k = reg().open(RegRoot::CurrentUser, key("ReadOnly"), RegAccess::Read);
  ASSERT_NE(k, nullptr);
  EXPECT_FALSE(k->writeString("v", "changed"));
  EXPECT_FALSE(k->writeString("new", "x"));
  EXPECT_FALSE(k->deleteValue("v"));
  EXPECT_EQ(k->readString("v"), "kept");
  EXPECT_EQ(k->valueNames(), std::vector<std::string>{"v"});
}

TEST_F(RegistryContract, DeleteTreeRemovesNestedKeysWithTheirValues) {
  make("Tree\\A\\B\\C")->writeString("v", "1");
  make("Tree\\A\\D")->writeString("w", "2");
  make("Tree")->writeString("top", "3");
  make("Sibling")->writeString("s", "4");

  EXPECT_TRUE(reg().deleteTree(RegRoot::CurrentUser, key("tree")));
  EXPECT_EQ(reg().open(RegRoot::CurrentUser, key("Tree"), RegAccess::Read), nullptr);
  EXPECT_EQ(reg().open(RegRoot::CurrentUser, key("Tree\\A\\B\\C"), RegAccess::Read), nullptr);
  auto sibling = reg().open(RegRoot::CurrentUser, key("Sibling"), RegAccess::Read);
  ASSERT_NE(sibling, nullptr);
  EXPECT_EQ(sibling->readString("s"), "4");

  EXPECT_FALSE(reg().deleteTree(RegRoot::CurrentUser, key("Tree")));
}

// A link leads every path through it to its target; deleting a tree that holds one, or that is
// one, takes the link and leaves the target whole, wherever it lies.
class RegistryLinks : public RegistryContract {
 protected:
  static constexpr const char* kTarget = "Software\\QexContractTarget";
  // The link names the target's full path, which the system follows without a view: the key
  // lies in the 64-bit view, whatever the width of the program (a system without views has
  // just the one).
  platform::Registry& machine() { return reg().inView(platform::RegView::Bits64); }
  void SetUp() override {
    RegistryContract::SetUp();
    machine().deleteTree(RegRoot::LocalMachine, kTarget);
    auto target = machine().create(RegRoot::LocalMachine, kTarget);
    ASSERT_NE(target, nullptr);
    ASSERT_TRUE(target->writeString("precious", "data"));
    ASSERT_NE(machine().create(RegRoot::LocalMachine, std::string(kTarget) + "\\Inner"), nullptr);
  }
  void TearDown() override {
    machine().deleteTree(RegRoot::LocalMachine, kTarget);
    RegistryContract::TearDown();
  }
  void expectTargetWhole() {
    auto target = machine().open(RegRoot::LocalMachine, kTarget, RegAccess::Read);
    ASSERT_NE(target, nullptr) << "the target went";
    EXPECT_EQ(target->readString("precious"), "data");
    EXPECT_EQ(target->subkeyNames(), std::vector<std::string>{"Inner"});
  }
};

TEST_F(RegistryLinks, APathThroughALinkReachesTheTargetAndTheLinkSaysWhere) {
  make("Tree");
  ASSERT_TRUE(makeRegistryLink(key("Tree\\Door"), kTarget));
  auto through = reg().open(RegRoot::CurrentUser, key("Tree\\Door"), RegAccess::Read);
  ASSERT_NE(through, nullptr);
  EXPECT_EQ(through->readString("precious"), "data");
  EXPECT_NE(reg().open(RegRoot::CurrentUser, key("Tree\\Door\\Inner"), RegAccess::Read), nullptr);

  const auto target = reg().linkTarget(RegRoot::CurrentUser, key("tree\\door"));
  ASSERT_TRUE(target.has_value());
  EXPECT_TRUE(platform::equalsAsciiNoCase(*target, "\\Registry\\Machine\\Software\\QexContractTarget"))
      << *target;
  EXPECT_EQ(reg().linkTarget(RegRoot::CurrentUser, key("Tree")), std::nullopt);
  EXPECT_EQ(reg().linkTarget(RegRoot::CurrentUser, key("Tree\\Door\\Inner")), std::nullopt);
  EXPECT_EQ(reg().linkTarget(RegRoot::CurrentUser, key("Missing")), std::nullopt);
}

TEST_F(RegistryLinks, DeletingATreeTakesALinkInItButNotWhatTheLinkLeadsTo) {
  make("Tree\\Plain")->writeString("v", "1");
  ASSERT_TRUE(makeRegistryLink(key("Tree\\Door"), kTarget));
  EXPECT_TRUE(reg().deleteTree(RegRoot::CurrentUser, key("Tree")));
  EXPECT_EQ(reg().open(RegRoot::CurrentUser, key("Tree"), RegAccess::Read), nullptr);
  expectTargetWhole();
}

TEST_F(RegistryLinks, DeletingALinkItselfTakesOnlyTheLink) {
  make("Tree");
  ASSERT_TRUE(makeRegistryLink(key("Tree\\Door"), kTarget));
  EXPECT_TRUE(reg().deleteTree(RegRoot::CurrentUser, key("Tree\\Door")));
  EXPECT_EQ(reg().linkTarget(RegRoot::CurrentUser, key("Tree\\Door")), std::nullopt);
  auto tree = reg().open(RegRoot::CurrentUser, key("Tree"), RegAccess::Read);
  ASSERT_NE(tree, nullptr);
  EXPECT_TRUE(tree->subkeyNames().empty());
  expectTargetWhole();
}

// Wine's prefix is 64-bit Windows: HKEY_LOCAL_MACHINE\Software has a view for each width, whatever
// the width of the program asking.
class RegistryViews : public RegistryContract {
 protected:
  static constexpr const char* k32 = "Software\\QexContractView32";
  static constexpr const char* k64 = "Software\\QexContractView64";
  void clear() {
    reg().inView(platform::RegView::Bits32).deleteTree(RegRoot::LocalMachine, k32);
    reg().inView(platform::RegView::Bits64).deleteTree(RegRoot::LocalMachine, k64);
  }
  void SetUp() override {
    RegistryContract::SetUp();
    clear();
  }
  void TearDown() override {
    clear();
    RegistryContract::TearDown();
  }
};

TEST_F(RegistryViews, EachViewKeepsItsOwnSoftwareKeysAndSharesTheRest) {
  ASSERT_EQ(reg().views().size(), 2u);
  EXPECT_EQ(reg().ownView(), sizeof(void*) == 8 ? platform::RegView::Bits64 : platform::RegView::Bits32);
  EXPECT_EQ(&reg().inView(reg().ownView()), &reg());
  platform::Registry& v32 = reg().inView(platform::RegView::Bits32);
  platform::Registry& v64 = reg().inView(platform::RegView::Bits64);

  ASSERT_NE(v32.create(RegRoot::LocalMachine, k32), nullptr);
  ASSERT_TRUE(v32.open(RegRoot::LocalMachine, k32, RegAccess::AllAccess)->writeString("a", "1"));
  EXPECT_TRUE(inSixtyFourBitView("Software\\Wow6432Node\\QexContractView32"));
  EXPECT_FALSE(inSixtyFourBitView(k32));
  EXPECT_EQ(v64.open(RegRoot::LocalMachine, k32, RegAccess::Read), nullptr);

  ASSERT_NE(v64.create(RegRoot::LocalMachine, k64), nullptr);
  EXPECT_TRUE(inSixtyFourBitView(k64));
  EXPECT_EQ(v32.open(RegRoot::LocalMachine, k64, RegAccess::Read), nullptr);

  // HKEY_CURRENT_USER is the same for both: it is found in the program's own view alone.
  make("Shared")->writeString("s", "1");
  platform::Registry& other = reg().inView(reg().views().back());
  EXPECT_EQ(other.open(RegRoot::CurrentUser, key("Shared"), RegAccess::Read), nullptr);
  EXPECT_NE(reg().open(RegRoot::CurrentUser, key("Shared"), RegAccess::Read), nullptr);

  EXPECT_TRUE(v32.deleteTree(RegRoot::LocalMachine, k32));
  EXPECT_FALSE(inSixtyFourBitView("Software\\Wow6432Node\\QexContractView32"));
}

TEST_F(RegistryContract, DeleteTreeNeverTakesARoot) {
  make("Guard")->writeString("v", "1");
  EXPECT_FALSE(reg().deleteTree(RegRoot::CurrentUser, ""));
  EXPECT_FALSE(reg().deleteTree(RegRoot::CurrentUser, "\\"));
  EXPECT_FALSE(reg().deleteTree(RegRoot::CurrentUser, "\\\\"));
  EXPECT_NE(reg().open(RegRoot::CurrentUser, key("Guard"), RegAccess::Read), nullptr);
}

TEST_F(RegistryContract, AnEmptyPathOpensTheRootToListItsKeys) {
  make("Listed");
  auto root = reg().open(RegRoot::CurrentUser, "", RegAccess::Read);
  ASSERT_NE(root, nullptr);
  bool found = false;
  for (const auto& name : root->subkeyNames()) found = found || name == "Software";
  EXPECT_TRUE(found);
}

TEST_F(RegistryContract, AnOpenKeyThatWasDeletedFailsEveryCall) {
  make("Gone")->writeString("v", "1");
  auto k = reg().open(RegRoot::CurrentUser, key("Gone"), RegAccess::AllAccess);
  ASSERT_NE(k, nullptr);
  ASSERT_TRUE(reg().deleteTree(RegRoot::CurrentUser, key("Gone")));
  EXPECT_EQ(k->read("v"), std::nullopt);
  EXPECT_FALSE(k->writeString("v", "2"));
  EXPECT_TRUE(k->valueNames().empty());
  EXPECT_EQ(reg().open(RegRoot::CurrentUser, key("Gone"), RegAccess::Read), nullptr);
}

TEST_F(RegistryContract, RepeatedAndTrailingBackslashesSeparateNothing) {
  make("Gap\\Inner")->writeString("v", "found");
  for (const char* path : {"Gap\\\\Inner", "Gap\\Inner\\", "\\Gap\\\\Inner\\\\"}) {
    auto k = reg().open(RegRoot::CurrentUser, key(path), RegAccess::Read);
    ASSERT_NE(k, nullptr) << path;
    EXPECT_EQ(k->readString("v"), "found") << path;
  }
  make("Gap\\\\Second\\");
  auto gap = reg().open(RegRoot::CurrentUser, key("Gap"), RegAccess::Read);
  ASSERT_NE(gap, nullptr);
  EXPECT_EQ(gap->subkeyNames(), (std::vector<std::string>{"Inner", "Second"}));
}

}  // namespace

#ifndef QEX_CONTRACT_FAKE
// 98 and ME delete keys by name and have no links to open as themselves.
TEST_F(RegistryContract, WithoutDeletionThroughAHandleTreesStillGoByName) {
  platform::win32::OptionalApiOverride without;
  without.table().NtDeleteKey = nullptr;
  make("Tree\\A\\B")->writeString("v", "1");
  make("Tree")->writeString("top", "2");
  EXPECT_TRUE(reg().deleteTree(RegRoot::CurrentUser, key("Tree")));
  EXPECT_EQ(reg().open(RegRoot::CurrentUser, key("Tree"), RegAccess::Read), nullptr);
  EXPECT_EQ(reg().linkTarget(RegRoot::CurrentUser, key("Missing")), std::nullopt);
}
#endif
