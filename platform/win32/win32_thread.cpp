// The thread layer on calls that every Windows from 98 on has: _beginthreadex, critical
// sections and events. The condition variables and slim locks of the system came with Vista.
#include "platform/thread.h"

#include <windows.h>
#include <process.h>

#include <algorithm>
#include <exception>
#include <stdexcept>
#include <vector>

namespace platform {

ThreadId currentThreadId() { return GetCurrentThreadId(); }

void sleepThisThread(uint32_t ms) { Sleep(ms); }

uint32_t waitTickMs() { return GetTickCount(); }

// ---- Thread

// Joins as it ends, whether its Thread ends or is given another one.
struct Thread::Impl {
  HANDLE handle = nullptr;

  ~Impl() { join(); }
  void join() {
    if (!handle) return;
    WaitForSingleObject(handle, INFINITE);
    CloseHandle(handle);
    handle = nullptr;
  }
  void detach() {
    if (handle) CloseHandle(handle);
    handle = nullptr;
  }
};

namespace {

// _beginthreadex rather than CreateThread: the C runtime then sets up its own per-thread data
// and frees it when the thread ends.
unsigned __stdcall threadMain(void* start) noexcept {
  std::unique_ptr<std::function<void()>> body(static_cast<std::function<void()>*>(start));
  // noexcept: an exception that escapes the body ends the program, as with std::thread.
  (*body)();
  return 0;
}

}  // namespace

Thread::Thread() noexcept = default;

Thread::Thread(std::function<void()> body) : impl_(std::make_unique<Impl>()) {
  auto start = std::make_unique<std::function<void()>>(std::move(body));
  const uintptr_t handle = _beginthreadex(nullptr, 0, threadMain, start.get(), 0, nullptr);
  if (!handle) throw std::runtime_error("The system could not start a thread");
  start.release();  // the thread owns it now
  impl_->handle = reinterpret_cast<HANDLE>(handle);
}

Thread::~Thread() = default;
Thread::Thread(Thread&& other) noexcept = default;
Thread& Thread::operator=(Thread&& other) noexcept = default;

bool Thread::joinable() const noexcept { return impl_ && impl_->handle; }
void Thread::join() { if (impl_) impl_->join(); }
void Thread::detach() { if (impl_) impl_->detach(); }

// ---- Mutex

struct Mutex::Impl {
  CRITICAL_SECTION section;
};

Mutex::Mutex() : impl_(std::make_unique<Impl>()) { InitializeCriticalSection(&impl_->section); }

Mutex::~Mutex() { DeleteCriticalSection(&impl_->section); }

void Mutex::lock() { EnterCriticalSection(&impl_->section); }

void Mutex::unlock() { LeaveCriticalSection(&impl_->section); }

// ---- Condition
//
// Every wait has an event of its own, listed before the waiter lets the mutex go: a notify
// made after that point finds it in the list, so none is lost between the release and the
// wait. A notify takes waiters off the list and sets their events, both under the list's own
// section, so a waiter whose time ran out can tell from the list alone whether it was woken.

namespace {

struct Waiter {
  HANDLE event = nullptr;
  bool woken = false;
};

class Section {
 public:
  explicit Section(CRITICAL_SECTION& s) : s_(s) { EnterCriticalSection(&s_); }
  ~Section() { LeaveCriticalSection(&s_); }
  Section(const Section&) = delete;
  Section& operator=(const Section&) = delete;

 private:
  CRITICAL_SECTION& s_;
};

}  // namespace

struct Condition::Impl {
  CRITICAL_SECTION section;
  std::vector<Waiter*> waiters;  // in the order they came
  std::vector<HANDLE> spare;     // events of waits that ended, not set
};

Condition::Condition() : impl_(std::make_unique<Impl>()) { InitializeCriticalSection(&impl_->section); }

Condition::~Condition() {
  for (HANDLE event : impl_->spare) CloseHandle(event);
  DeleteCriticalSection(&impl_->section);
}

void Condition::wait(Lock& lock) { waitFor(lock, INFINITE); }

bool Condition::waitFor(Lock& lock, uint32_t ms) {
  Waiter self;
  {
    Section hold(impl_->section);
    if (!impl_->spare.empty()) {
      self.event = impl_->spare.back();
      impl_->spare.pop_back();
    } else {
      // Auto-reset: a wait that takes the signal leaves the event ready for the next one.
      self.event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
      if (!self.event) throw std::runtime_error("The system could not make an event");
    }
    impl_->waiters.push_back(&self);
  }
  lock.mutex().unlock();
  const DWORD result = WaitForSingleObject(self.event, ms);
  {
    Section hold(impl_->section);
    if (!self.woken) {
      auto& list = impl_->waiters;
      list.erase(std::remove(list.begin(), list.end(), &self), list.end());
    } else if (result != WAIT_OBJECT_0) {
      // Woken just as the time ran out: the signal is still on the event.
      ResetEvent(self.event);
    }
    impl_->spare.push_back(self.event);
  }
  lock.mutex().lock();
  return self.woken;
}

void Condition::notifyOne() {
  Section hold(impl_->section);
  if (impl_->waiters.empty()) return;
  Waiter* first = impl_->waiters.front();
  impl_->waiters.erase(impl_->waiters.begin());
  first->woken = true;
  SetEvent(first->event);
}

void Condition::notifyAll() {
  Section hold(impl_->section);
  for (Waiter* waiter : impl_->waiters) {
    waiter->woken = true;
    SetEvent(waiter->event);
  }
  impl_->waiters.clear();
}

}  // namespace platform
