// The thread layer on the standard library, for the native build.
#include "platform/thread.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace platform {

ThreadId currentThreadId() {
  // Numbered as they first ask, so an id is never given twice while the program runs.
  static std::atomic<ThreadId> last{0};
  thread_local const ThreadId id = ++last;
  return id;
}

void sleepThisThread(uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

uint32_t waitTickMs() {
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

// ---- Thread

// Joins as it ends, whether its Thread ends or is given another one.
struct Thread::Impl {
  std::thread thread;

  ~Impl() { join(); }
  void join() {
    if (thread.joinable()) thread.join();
  }
};

Thread::Thread() noexcept = default;

Thread::Thread(std::function<void()> body) : impl_(std::make_unique<Impl>()) {
  // noexcept: an exception that escapes the body ends the program, as on Windows.
  impl_->thread = std::thread([body = std::move(body)]() noexcept { body(); });
}

Thread::~Thread() = default;
Thread::Thread(Thread&& other) noexcept = default;
Thread& Thread::operator=(Thread&& other) noexcept = default;

bool Thread::joinable() const noexcept { return impl_ && impl_->thread.joinable(); }
void Thread::join() { if (impl_) impl_->join(); }
void Thread::detach() { if (joinable()) impl_->thread.detach(); }

// ---- Mutex

struct Mutex::Impl {
  std::mutex mutex;
};

Mutex::Mutex() : impl_(std::make_unique<Impl>()) {}

Mutex::~Mutex() = default;

void Mutex::lock() { impl_->mutex.lock(); }

void Mutex::unlock() { impl_->mutex.unlock(); }

// ---- Condition

struct Condition::Impl {
  std::condition_variable variable;
};

Condition::Condition() : impl_(std::make_unique<Impl>()) {}

Condition::~Condition() = default;

void Condition::wait(Lock& lock) {
  std::unique_lock<std::mutex> held(lock.mutex().impl().mutex, std::adopt_lock);
  impl_->variable.wait(held);
  held.release();  // the Lock still holds it
}

bool Condition::waitFor(Lock& lock, uint32_t ms) {
  std::unique_lock<std::mutex> held(lock.mutex().impl().mutex, std::adopt_lock);
  const bool woken = impl_->variable.wait_for(held, std::chrono::milliseconds(ms)) == std::cv_status::no_timeout;
  held.release();
  return woken;
}

void Condition::notifyOne() { impl_->variable.notify_one(); }

void Condition::notifyAll() { impl_->variable.notify_all(); }

}  // namespace platform
