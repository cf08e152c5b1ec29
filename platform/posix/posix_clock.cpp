#include "platform/posix/posix_clock.h"

#include <chrono>
#include <thread>

namespace platform::posix {

uint64_t PosixClock::tickMs() {
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

void PosixClock::sleepMs(uint32_t ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace platform::posix
