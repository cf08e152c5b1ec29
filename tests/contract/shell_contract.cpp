// The shell: a failed open is reported as a failure, and a folder is listed as the file
// viewer shows it, in the shell's order with hidden items marked.
#include <string>
#include <vector>

#include "tests/contract/env.h"

namespace {

class ShellContract : public contract::Contract {};

TEST_F(ShellContract, OpeningAMissingFileFails) {
  EXPECT_FALSE(sys().shell().execute(0, "open", scratchFolder() + "missing.htm"));
}

TEST_F(ShellContract, AFolderListsFoldersFirstThenFilesByName) {
  const std::string folder = scratchFolder() + "View";
  ASSERT_TRUE(sys().files().createDirectory(folder));
  ASSERT_TRUE(sys().files().createDirectory(folder + "\\Zsub"));
  for (const char* name : {"b.txt", "A.txt", "c.ini"})
    ASSERT_TRUE(sys().files().writeFile(folder + "\\" + name, "x"));
  ASSERT_TRUE(sys().files().writeFile(folder + "\\secret.txt", "x"));
  ASSERT_TRUE(sys().files().setAttributes(folder + "\\secret.txt", platform::kAttrHidden));

  auto items = sys().shell().listFolder(folder + "\\");
  std::vector<std::string> names;
  for (const auto& item : items) {
    names.push_back(item.displayName);
    EXPECT_GE(item.iconIndex, 0) << item.displayName;
    EXPECT_EQ(item.hidden, item.displayName == "secret.txt") << item.displayName;
    EXPECT_FALSE(item.link) << item.displayName;
    EXPECT_FALSE(item.shared) << item.displayName;
  }
  EXPECT_EQ(names, (std::vector<std::string>{"Zsub", "A.txt", "b.txt", "c.ini", "secret.txt"}));
  ASSERT_EQ(items.size(), 5u);
  EXPECT_NE(items[0].iconIndex, items[1].iconIndex);  // a folder looks unlike a file
  EXPECT_EQ(items[1].iconIndex, items[2].iconIndex);
}

TEST_F(ShellContract, TheRecycleBinsOfAllDrivesEmptyQuietly) {
  EXPECT_TRUE(sys().shell().emptyRecycleBin(""));
}

TEST_F(ShellContract, IconsOfSinglePathsMatchTheirListing) {
  ASSERT_TRUE(sys().files().createDirectory(scratchFolder() + "Icons"));
  ASSERT_TRUE(sys().files().writeFile(scratchFolder() + "Icons\\a.txt", "x"));
  auto items = sys().shell().listFolder(scratchFolder());
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(sys().shell().iconIndexOf(scratchFolder() + "Icons"), items[0].iconIndex);
  auto inside = sys().shell().listFolder(scratchFolder() + "Icons");
  ASSERT_EQ(inside.size(), 1u);
  EXPECT_EQ(sys().shell().iconIndexOf(scratchFolder() + "Icons\\a.txt"), inside[0].iconIndex);
  EXPECT_EQ(sys().shell().iconIndexOf(scratchFolder() + "missing.com"), std::nullopt);
}

TEST_F(ShellContract, AMissingFolderListsNothing) {
  EXPECT_TRUE(sys().shell().listFolder(scratchFolder() + "NoSuchFolder\\").empty());
}

}  // namespace
