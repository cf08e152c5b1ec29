// The folder watcher on the system's own change notification: a change written into the folder
// is handed over once, and a stop while a hand-off waits for a user-interface thread that never
// runs it ends the worker all the same.
#include <atomic>
#include <chrono>

#include "monitor/folderupdate.h"
#include "platform/thread.h"
#include "tests/contract/env.h"
#include "ui/callqueue.h"

namespace {

class FolderUpdateContract : public contract::Contract {
 protected:
  ui::CallQueue queue;
  std::atomic<int> posted{0}, changes{0}, failures{0};

  std::unique_ptr<monitor::FolderUpdate> start(const std::string& folder) {
    return std::make_unique<monitor::FolderUpdate>(
        sys().sync(), folder,
        [this](std::function<void()> fn) {
          queue.push(std::move(fn));
          ++posted;
        },
        monitor::FolderUpdate::Handlers{[this] { ++changes; }, [this] { ++failures; }});
  }
  // Waits up to ten seconds for cond, running the queued hand-offs meanwhile when asked to.
  template <typename Cond>
  bool waitFor(Cond cond, bool run) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!cond() && std::chrono::steady_clock::now() < end) {
      if (run) queue.drain([](const std::function<void()>& fn) { fn(); });
      platform::sleepThisThread(5);
    }
    return cond();
  }
};

TEST_F(FolderUpdateContract, AChangeIsHandedOverAndAStopEndsAWaitingHandOff) {
  auto watcher = start(scratchFolder());
  ASSERT_TRUE(sys().files().writeFile(scratchFolder() + "one.txt", "x"));
  ASSERT_TRUE(waitFor([&] { return changes >= 1; }, true));
  EXPECT_EQ(failures, 0);

  // A hand-off queued and not run: the one for this change, or one still coming for the first.
  ASSERT_TRUE(sys().files().writeFile(scratchFolder() + "two.txt", "x"));
  ASSERT_TRUE(waitFor([&] { return posted > changes; }, false));
  const auto asked = std::chrono::steady_clock::now();
  watcher->stop();
  EXPECT_LT(std::chrono::steady_clock::now() - asked, std::chrono::seconds(2));
  const int handled = changes;
  queue.drain([](const std::function<void()>& fn) { fn(); });
  EXPECT_EQ(changes, handled);  // dropped, never run
}

TEST_F(FolderUpdateContract, AFolderThatCannotBeWatchedFailsOnce) {
  auto watcher = start(scratchFolder() + "NoSuchFolder");
  ASSERT_TRUE(waitFor([&] { return failures == 1; }, true));
  watcher->stop();
  EXPECT_EQ(posted, 1);
}

}  // namespace
