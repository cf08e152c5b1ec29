#include "platform/posix/posix_clock.h"

#include <chrono>

#include "platform/thread.h"

namespace platform::posix {

uint64_t PosixClock::tickMs() {
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

void PosixClock::sleepMs(uint32_t ms) { sleepThisThread(ms); }

}  // namespace platform::posix
