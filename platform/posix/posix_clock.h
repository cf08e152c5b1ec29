// The steady clock of the native build, for what must wait in real time beside real sockets:
// the loopback tests of the HTTP client and its benchmark.
#pragma once

#include "platform/clock.h"

namespace platform::posix {

class PosixClock : public Clock {
 public:
  uint64_t tickMs() override;
  void sleepMs(uint32_t ms) override;
};

}  // namespace platform::posix
