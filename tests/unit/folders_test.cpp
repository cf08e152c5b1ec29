#include "platform/folders.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_files.h"

TEST(CreateFolders, MakesEveryMissingParentFromTheTopDown) {
  platform::fake::FakeFiles files;
  EXPECT_TRUE(platform::createFolders(files, "C:\\Program Files\\Orvanta\\Cache\\"));
  EXPECT_TRUE(files.directoryExists("C:\\Program Files"));
  EXPECT_TRUE(files.directoryExists("C:\\Program Files\\Orvanta\\Cache"));
  EXPECT_TRUE(platform::createFolders(files, "C:\\Program Files\\Orvanta\\Cache"));
  // A file in the way cannot become a folder.
  files.addFile("C:\\Program Files\\Orvanta\\Cache\\x", "file");
  EXPECT_FALSE(platform::createFolders(files, "C:\\Program Files\\Orvanta\\Cache\\x\\y"));
  EXPECT_FALSE(platform::createFolders(files, ""));
}
