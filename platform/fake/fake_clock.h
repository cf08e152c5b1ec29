// Virtual time: nothing waits, a pause moves the clock on. Safe to read from a worker thread.
#pragma once

#include <atomic>

#include "platform/clock.h"

namespace platform::fake {

class FakeClock : public Clock {
 public:
  // Windows counts from the start of the machine; start well away from 0 so that code which
  // takes the tick for a duration shows.
  static constexpr uint64_t kStart = 3600000;

  uint64_t tickMs() override { return now_; }
  void sleepMs(uint32_t ms) override { now_ += ms; }
  void advance(uint64_t ms) { now_ += ms; }
  void set(uint64_t ms) { now_ = ms; }

 private:
  std::atomic<uint64_t> now_{kStart};
};

}  // namespace platform::fake
