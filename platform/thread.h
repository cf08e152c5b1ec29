// The program's own threads, locks and waits. The 32-bit Windows build is compiled with GCC's
// win32 thread model, which has no std::thread, std::mutex or std::condition_variable, and the
// posix one links a library that needs Vista; so every thread of the program goes through this
// layer. On Windows it stands on calls that 98, ME, 2000 and XP all have (_beginthreadex,
// critical sections, events), on Linux on the standard library.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

namespace platform {

// Identifies a running thread; no two threads alive at the same time share one.
using ThreadId = uint64_t;
ThreadId currentThreadId();

// The calling thread pauses for ms milliseconds.
void sleepThisThread(uint32_t ms);

// A millisecond count that wraps around, for measuring the waits below: only differences of
// two readings mean anything.
uint32_t waitTickMs();

// A thread that runs one callable. Like std::thread, an exception that escapes the callable
// ends the program. Unlike it, a thread still joinable when its object ends is joined.
class Thread {
 public:
  Thread() noexcept;
  // Starts body at once; throws std::runtime_error when the system cannot start a thread.
  explicit Thread(std::function<void()> body);
  ~Thread();
  Thread(Thread&& other) noexcept;
  // Joins the thread this object held, if any, and takes the other's.
  Thread& operator=(Thread&& other) noexcept;
  Thread(const Thread&) = delete;
  Thread& operator=(const Thread&) = delete;

  bool joinable() const noexcept;
  // Waits for the callable to end; not from the thread itself.
  void join();
  // Lets the thread run on by itself; it frees what it holds when it ends.
  void detach();

  struct Impl;

 private:
  std::unique_ptr<Impl> impl_;
};

// Not recursive: a thread that holds it must not take it again.
class Mutex {
 public:
  Mutex();
  ~Mutex();
  Mutex(const Mutex&) = delete;
  Mutex& operator=(const Mutex&) = delete;

  void lock();
  void unlock();

  struct Impl;
  Impl& impl() { return *impl_; }

 private:
  std::unique_ptr<Impl> impl_;
};

// Holds a mutex for its lifetime (a Condition lets it go while it waits).
class Lock {
 public:
  explicit Lock(Mutex& mutex) : mutex_(mutex) { mutex_.lock(); }
  ~Lock() { mutex_.unlock(); }
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;

  Mutex& mutex() { return mutex_; }

 private:
  Mutex& mutex_;
};

// Waits for a change that another thread makes under the same mutex and announces with
// notifyOne or notifyAll. A wait may also end without either, so the waits that take a
// predicate are the ones to use.
class Condition {
 public:
  Condition();
  ~Condition();
  Condition(const Condition&) = delete;
  Condition& operator=(const Condition&) = delete;

  // Lets the lock's mutex go while it waits, and holds it again when it returns.
  void wait(Lock& lock);
  // As wait, for at most ms milliseconds; false when the time ran out.
  bool waitFor(Lock& lock, uint32_t ms);

  template <typename Predicate>
  void wait(Lock& lock, Predicate done) {
    while (!done()) wait(lock);
  }
  // Until done() holds or ms milliseconds have passed; gives done() as it is at the end.
  template <typename Predicate>
  bool waitFor(Lock& lock, uint32_t ms, Predicate done) {
    const uint32_t start = waitTickMs();
    while (!done()) {
      const uint32_t spent = waitTickMs() - start;
      if (spent >= ms) return done();
      waitFor(lock, ms - spent);
    }
    return true;
  }

  void notifyOne();
  void notifyAll();

  struct Impl;

 private:
  std::unique_ptr<Impl> impl_;
};

// Set once, waited for by any number of threads: the end of a piece of work handed elsewhere.
class Event {
 public:
  void set() {
    Lock hold(mutex_);
    set_ = true;
    // Under the mutex, so that a waiter that returns and frees the event finds set() done.
    changed_.notifyAll();
  }
  bool isSet() {
    Lock hold(mutex_);
    return set_;
  }
  void wait() {
    Lock hold(mutex_);
    changed_.wait(hold, [this] { return set_; });
  }
  // False when ms milliseconds passed without it.
  bool waitFor(uint32_t ms) {
    Lock hold(mutex_);
    return changed_.waitFor(hold, ms, [this] { return set_; });
  }

 private:
  Mutex mutex_;
  Condition changed_;
  bool set_ = false;
};

}  // namespace platform
