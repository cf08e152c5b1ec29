// The finder over the real file system: under Wine a Unix symbolic link to a folder is the
// reparse point the cleaner must never walk into, since it deletes what the finder reports.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "cleanup/filefinder.h"
#include "tests/contract/files_env.h"

namespace {

TEST(FinderContract, WalkStaysOutOfFolderLinksAndEnds) {
  contract::FilesEnv env;
  platform::Files& files = env.files();
  const std::string root = env.scratch() + "tree\\";
  ASSERT_TRUE(files.createDirectory(env.scratch() + "outside"));
  ASSERT_TRUE(files.writeFile(env.scratch() + "outside\\precious.txt", "keep"));
  ASSERT_TRUE(files.createDirectory(root));
  ASSERT_TRUE(files.createDirectory(root + "sub"));
  ASSERT_TRUE(files.writeFile(root + "top.txt", "t"));
  ASSERT_TRUE(files.writeFile(root + "sub\\inner.txt", "i"));
  ASSERT_TRUE(env.makeFolderLink(root + "sub\\up", root));
  ASSERT_TRUE(env.makeFolderLink(root + "out", env.scratch() + "outside"));

  cleanup::TFileFinder finder(files, nullptr);
  std::vector<std::string> found;
  finder.OnFileFound = [&](cleanup::TFileFinder&, const std::string& name, const std::string& folder,
                           const platform::FindData&) { found.push_back(folder + name); };
  finder.Paths.Add(root, true);
  finder.Masks = {"*"};
  finder.Execute();
  std::sort(found.begin(), found.end());
  EXPECT_EQ(found, (std::vector<std::string>{root + "sub\\inner.txt", root + "top.txt"}));

  found.clear();
  finder.IncludeFolders = true;
  finder.Execute();
  std::sort(found.begin(), found.end());
  EXPECT_EQ(found, (std::vector<std::string>{root + "out", root + "sub", root + "sub\\inner.txt",
                                             root + "sub\\up", root + "top.txt"}));
}

}  // namespace
