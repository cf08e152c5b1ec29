// The tick since the machine started, and pauses, from kernel32.
#pragma once

#include "platform/clock.h"

namespace platform::win32 {

class Win32Clock : public Clock {
 public:
  uint64_t tickMs() override;
  void sleepMs(uint32_t ms) override;
};

}  // namespace platform::win32
