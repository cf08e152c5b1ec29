// Time as the program's logic uses it: a millisecond tick and pauses.
#pragma once

#include <cstdint>

namespace platform {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual uint64_t tickMs() = 0;
  virtual void sleepMs(uint32_t ms) = 0;
};

}  // namespace platform
