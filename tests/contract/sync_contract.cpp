// The single-instance mutex and the Windows-folder watch: what a second creation reports,
// and which file changes wake a watch.
#include <string>

#include "platform/thread.h"
#include "tests/contract/env.h"

namespace {

using Wake = platform::FolderWatch::Wake;

class SyncContract : public contract::Contract {};

TEST_F(SyncContract, ASecondMutexOfTheSameNameReportsThatItExisted) {
  const std::string name = "QexContractMutex";
  auto first = sys().sync().createMutex(name);
  ASSERT_NE(first, nullptr);
  EXPECT_FALSE(first->alreadyExisted());
  {
    auto second = sys().sync().createMutex(name);
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(second->alreadyExisted());
    auto otherCase = sys().sync().createMutex("qexcontractmutex");
    ASSERT_NE(otherCase, nullptr);
    EXPECT_FALSE(otherCase->alreadyExisted());  // kernel object names keep case apart
  }
  first.reset();
  auto afresh = sys().sync().createMutex(name);
  ASSERT_NE(afresh, nullptr);
  EXPECT_FALSE(afresh->alreadyExisted());
}

TEST_F(SyncContract, AFileWrittenInTheFolderWakesTheWatch) {
  auto watch = sys().sync().watchFolder(scratchFolder());
  ASSERT_NE(watch, nullptr);
  ASSERT_TRUE(sys().files().writeFile(scratchFolder() + "new.txt", "x"));
  EXPECT_EQ(watch->wait(), Wake::Change);
  ASSERT_TRUE(watch->rearm());

  settle();
  ASSERT_TRUE(sys().files().deleteFile(scratchFolder() + "new.txt"));
  EXPECT_EQ(watch->wait(), Wake::Change);
  EXPECT_TRUE(watch->rearm());
}

TEST_F(SyncContract, AFileWrittenInASubfolderDoesNotWakeTheWatch) {
  ASSERT_TRUE(sys().files().createDirectory(scratchFolder() + "Sub"));
  settle();
  auto watch = sys().sync().watchFolder(scratchFolder());
  ASSERT_NE(watch, nullptr);
  ASSERT_TRUE(sys().files().writeFile(scratchFolder() + "Sub\\deep.txt", "x"));
  settle();
  watch->stop();
  // A change would win: the change notification comes first in the wait.
  EXPECT_EQ(watch->wait(), Wake::Stopped);
}

TEST_F(SyncContract, StopWakesAWaitOnce) {
  auto watch = sys().sync().watchFolder(scratchFolder());
  ASSERT_NE(watch, nullptr);
  watch->stop();
  EXPECT_EQ(watch->wait(), Wake::Stopped);
  // The stop event reset itself, so the next wait lasts until the change made later.
  platform::Thread writer([&] {
    platform::sleepThisThread(300);
    sys().files().writeFile(scratchFolder() + "after.txt", "x");
  });
  EXPECT_EQ(watch->wait(), Wake::Change);
  writer.join();
}

TEST_F(SyncContract, AWatchOfAMissingFolderFailsAtOnce) {
  auto watch = sys().sync().watchFolder(scratchFolder() + "NoSuchFolder");
  ASSERT_NE(watch, nullptr);
  EXPECT_EQ(watch->wait(), Wake::Failed);
  EXPECT_FALSE(watch->rearm());
}

}  // namespace
