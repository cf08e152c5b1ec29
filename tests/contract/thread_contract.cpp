// The thread layer: a mutex keeps threads apart under contention, a condition wakes a waiter
// when told and lets it go when its time runs out, a join waits for the thread's end, and an
// event set on one thread ends the waits of others.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/thread.h"

namespace {

using platform::Condition;
using platform::Lock;
using platform::Mutex;
using platform::Thread;

uint32_t since(uint32_t start) { return platform::waitTickMs() - start; }

TEST(ThreadContract, AMutexKeepsThreadsApartUnderContention) {
  Mutex mutex;
  long counter = 0;  // not atomic: only the mutex keeps the increments whole
  int inside = 0;
  int mostInside = 0;
  constexpr int kThreads = 4;
  constexpr int kRounds = 20000;
  std::atomic<int> ready{0};
  std::vector<Thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&] {
      // All start together, so that they meet at the mutex.
      ++ready;
      while (ready < kThreads) platform::sleepThisThread(0);
      for (int i = 0; i < kRounds; ++i) {
        Lock hold(mutex);
        ++inside;
        if (inside > mostInside) mostInside = inside;
        const long seen = counter;
        if (i % 1000 == 0) platform::sleepThisThread(0);  // hands the processor on while holding it
        counter = seen + 1;
        --inside;
      }
    });
  }
  for (Thread& t : threads) t.join();
  EXPECT_EQ(counter, static_cast<long>(kThreads) * kRounds);
  EXPECT_EQ(mostInside, 1);
}

TEST(ThreadContract, AConditionWakesItsWaiterWhenTold) {
  Mutex mutex;
  Condition changed;
  bool ready = false;
  Thread teller([&] {
    platform::sleepThisThread(100);
    Lock hold(mutex);
    ready = true;
    changed.notifyOne();
  });
  const uint32_t start = platform::waitTickMs();
  {
    Lock hold(mutex);
    EXPECT_TRUE(changed.waitFor(hold, 20000, [&] { return ready; }));
    EXPECT_TRUE(ready);
  }
  EXPECT_LT(since(start), 10000u);  // woken, not timed out
  teller.join();
}

TEST(ThreadContract, AWaitWithoutAPredicateEndsOnTheNotify) {
  Mutex mutex;
  Condition changed;
  bool waiting = false;
  bool told = false;
  Thread teller([&] {
    Lock hold(mutex);
    changed.wait(hold, [&] { return waiting; });
    told = true;
    changed.notifyAll();
  });
  Lock hold(mutex);
  waiting = true;
  changed.notifyAll();
  // The teller can only tell once this wait has let the mutex go.
  while (!told) EXPECT_TRUE(changed.waitFor(hold, 20000));
}

TEST(ThreadContract, NotifyAllWakesEveryWaiter) {
  Mutex mutex;
  Condition changed;
  bool go = false;
  int waiting = 0;
  int woken = 0;
  std::vector<Thread> threads;
  for (int t = 0; t < 3; ++t) {
    threads.emplace_back([&] {
      Lock hold(mutex);
      ++waiting;
      changed.notifyAll();
      changed.wait(hold, [&] { return go; });
      ++woken;
    });
  }
  {
    Lock hold(mutex);
    ASSERT_TRUE(changed.waitFor(hold, 20000, [&] { return waiting == 3; }));
    go = true;
    changed.notifyAll();
  }
  for (Thread& t : threads) t.join();
  EXPECT_EQ(woken, 3);
}

TEST(ThreadContract, TwoThreadsTakingTurnsLoseNoWake) {
  Mutex mutex;
  Condition turned;
  int turn = 0;  // even: this thread's, odd: the other's
  bool stuck = false;
  constexpr int kTurns = 2000;
  Thread other([&] {
    for (int i = 1; i < kTurns; i += 2) {
      Lock hold(mutex);
      if (!turned.waitFor(hold, 20000, [&] { return turn == i || stuck; }) || stuck) {
        stuck = true;
        turned.notifyOne();
        return;
      }
      ++turn;
      turned.notifyOne();
    }
  });
  for (int i = 0; i < kTurns; i += 2) {
    Lock hold(mutex);
    if (!turned.waitFor(hold, 20000, [&] { return turn == i || stuck; })) stuck = true;
    if (stuck) {
      turned.notifyOne();
      break;
    }
    ++turn;
    turned.notifyOne();
  }
  other.join();
  EXPECT_FALSE(stuck);
  EXPECT_EQ(turn, kTurns);
}

TEST(ThreadContract, AWaitWhoseTimeRunsOutGivesTheMutexBackAndSaysSo) {
  Mutex mutex;
  Condition never;
  std::atomic<bool> taken{false};
  Thread other;
  {
    Lock hold(mutex);
    const uint32_t start = platform::waitTickMs();
    EXPECT_FALSE(never.waitFor(hold, 200, [] { return false; }));
    const uint32_t spent = since(start);
    // The system's tick may step by up to a sixtieth of a second.
    EXPECT_GE(spent, 180u);
    EXPECT_LT(spent, 5000u);
    EXPECT_FALSE(never.waitFor(hold, 0));
    // Held again: another thread cannot take it until this one lets go.
    other = Thread([&] {
      Lock inner(mutex);
      taken = true;
    });
    platform::sleepThisThread(100);
    EXPECT_FALSE(taken);
  }
  other.join();
  EXPECT_TRUE(taken);
}

TEST(ThreadContract, AJoinWaitsForTheThreadsEnd) {
  std::atomic<bool> finished{false};
  Thread worker([&] {
    platform::sleepThisThread(200);
    finished = true;
  });
  EXPECT_TRUE(worker.joinable());
  worker.join();
  EXPECT_TRUE(finished);
  EXPECT_FALSE(worker.joinable());
  worker.join();  // a second join does nothing

  // A thread still running when its object ends is joined there.
  std::atomic<bool> later{false};
  {
    Thread scoped([&] {
      platform::sleepThisThread(100);
      later = true;
    });
  }
  EXPECT_TRUE(later);

  // Moving one in joins the one held before.
  std::atomic<int> ends{0};
  Thread moved([&] {
    platform::sleepThisThread(100);
    ++ends;
  });
  moved = Thread([&] { ++ends; });
  EXPECT_GE(ends, 1);
  moved.join();
  EXPECT_EQ(ends, 2);
}

TEST(ThreadContract, ADetachedThreadRunsOnAndAnEventSetThereEndsTheWait) {
  auto done = std::make_shared<platform::Event>();
  EXPECT_FALSE(done->isSet());
  EXPECT_FALSE(done->waitFor(50));
  Thread worker([done] {
    platform::sleepThisThread(100);
    done->set();
  });
  worker.detach();
  EXPECT_FALSE(worker.joinable());
  EXPECT_TRUE(done->waitFor(20000));
  EXPECT_TRUE(done->isSet());
  done->wait();  // set stays set
}

TEST(ThreadContract, EachThreadHasAnIdOfItsOwn) {
  const platform::ThreadId mine = platform::currentThreadId();
  EXPECT_EQ(platform::currentThreadId(), mine);
  platform::ThreadId theirs = mine;
  Thread other([&] { theirs = platform::currentThreadId(); });
  other.join();
  EXPECT_NE(theirs, mine);
}

}  // namespace
