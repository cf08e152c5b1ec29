// Calls waiting for the user-interface thread: any thread may add one, the user-interface
// thread runs them in order.
#pragma once

#include <deque>
#include <functional>

#include "platform/thread.h"

namespace ui {

class CallQueue {
 public:
  void push(std::function<void()> fn) {
    platform::Lock hold(lock_);
    calls_.push_back(std::move(fn));
  }
  // Runs every call queued, including those queued by the calls themselves, through run.
  template <typename Runner>
  void drain(Runner&& run) {
    while (true) {
      std::function<void()> fn;
      {
        platform::Lock hold(lock_);
        if (calls_.empty()) return;
        fn = std::move(calls_.front());
        calls_.pop_front();
      }
      run(fn);
    }
  }

 private:
  platform::Mutex lock_;
  std::deque<std::function<void()>> calls_;
};

}  // namespace ui
