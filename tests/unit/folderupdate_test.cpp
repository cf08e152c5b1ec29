// The folder watcher's thread on the fake watch: hand-offs, what wakes it, failure, and
// stopping while a hand-off waits for a user-interface thread that will never run it.
#include "monitor/folderupdate.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/fake/fake_sync.h"
#include "ui/callqueue.h"

namespace {

const std::string kDir = "C:\\WINDOWS";

struct FolderUpdateTest : ::testing::Test {
  platform::fake::FakeSync sync;
  ui::CallQueue queue;
  std::atomic<int> changes{0}, failures{0}, posted{0};

  std::unique_ptr<monitor::FolderUpdate> start(const std::string& dir = kDir) {
    return std::make_unique<monitor::FolderUpdate>(
        sync, dir,
        [this](std::function<void()> fn) {
          queue.push(std::move(fn));
          ++posted;
        },
        monitor::FolderUpdate::Handlers{[this] { ++changes; }, [this] { ++failures; }});
  }
  void pump() {
    queue.drain([](const std::function<void()>& fn) { fn(); });
  }
  // Plays the user-interface thread until the watcher blocks in its wait with nothing to wake
  // it, which is where it ends up once every change has been handed over.
  bool pumpUntilWaiting() {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < end) {
      pump();
      if (sync.awaitWaiter(kDir, 1)) return true;
    }
    return false;
  }
  // Waits until cond holds, playing the user-interface thread meanwhile or not.
  template <typename Cond>
  bool waitFor(Cond cond, bool pumping = true) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!cond() && std::chrono::steady_clock::now() < end) {
      if (pumping) pump();
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return cond();
  }
  // Waits, without running it, until the watcher has queued hand-off number n.
  bool awaitHandOff(int n) {
    return waitFor([&] { return posted >= n; }, false);
  }
};

TEST_F(FolderUpdateTest, AChangeIsHandedToTheUiThreadAndTheWatcherWaitsForIt) {
  auto watcher = start();
  ASSERT_TRUE(pumpUntilWaiting());
  sync.fileChanged(kDir + "\\new.ini");
  ASSERT_TRUE(waitFor([&] { return changes == 1; }));
  ASSERT_TRUE(pumpUntilWaiting());

  // Changes made while a hand-off waits are not queued: re-arming after it starts afresh.
  sync.fileChanged(kDir + "\\a.dll");
  ASSERT_TRUE(awaitHandOff(2));
  for (int i = 0; i < 20; ++i) sync.fileChanged(kDir + "\\b" + std::to_string(i) + ".dll");
  EXPECT_EQ(changes, 1);
  ASSERT_TRUE(pumpUntilWaiting());
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(posted, 2);
  EXPECT_EQ(failures, 0);
}

TEST_F(FolderUpdateTest, AFolderThatCannotBeWatchedFailsOnceAndTheWatcherEnds) {
  sync.folderExists = [](const std::string&) { return false; };
  auto watcher = start();
  ASSERT_TRUE(waitFor([&] { return failures == 1; }));
  watcher->stop();  // joins a thread that has ended
  pump();
  EXPECT_EQ(posted, 1);
  EXPECT_EQ(changes, 0);
}

TEST_F(FolderUpdateTest, AWatchThatBreaksWhileAChangeIsHandledFailsInsteadOfSpinning) {
  auto watcher = start();
  sync.fileChanged(kDir + "\\a.dll");
  ASSERT_TRUE(awaitHandOff(1));
  sync.failFolder(kDir);
  ASSERT_TRUE(waitFor([&] { return failures == 1; }));
  watcher->stop();
  pump();
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(failures, 1);
}

TEST_F(FolderUpdateTest, StoppingWhileAHandOffWaitsDropsItAndNeverRunsItLater) {
  auto watcher = start();
  sync.fileChanged(kDir + "\\a.dll");
  // The hand-off is queued and nobody runs it: stop must not wait for it.
  ASSERT_TRUE(awaitHandOff(1));
  watcher->stop();
  watcher.reset();
  pump();
  EXPECT_EQ(changes, 0);
}

TEST_F(FolderUpdateTest, StoppingAnIdleWatcherEndsItsWait) {
  auto watcher = start();
  ASSERT_TRUE(pumpUntilWaiting());
  watcher->stop();
  watcher->stop();
  sync.fileChanged(kDir + "\\late.dll");
  pump();
  EXPECT_EQ(changes, 0);
}

}  // namespace
