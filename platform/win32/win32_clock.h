// The tick since the machine started, and pauses, from kernel32.
#pragma once

#include <atomic>
#include <cstdint>

#include "platform/clock.h"

namespace platform::win32 {

class Win32Clock : public Clock {
 public:
  uint64_t tickMs() override;
  void sleepMs(uint32_t ms) override;
};

// A 64-bit tick from a 32-bit one that wraps after 49.7 days. A reading is taken as up to 24.8
// days after the last tick given, and one behind it (a reader overtaken by another) answers
// that last tick again: the tick never goes back, and it runs on over each wrap as long as it is
// read at least every 24 days, as the program's timers do. Safe from several threads at once.
uint64_t widenedTick(uint32_t reading, std::atomic<uint64_t>& last);

}  // namespace platform::win32
