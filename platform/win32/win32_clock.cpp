#include "platform/win32/win32_clock.h"

#include <windows.h>

#include "platform/win32/optional_api.h"

namespace platform::win32 {

uint64_t widenedTick(uint32_t reading, std::atomic<uint64_t>& last) {
  uint64_t seen = last.load();
  for (;;) {
    // The first reading stands as it is.
    const auto ahead = static_cast<int32_t>(reading - static_cast<uint32_t>(seen));
    if (seen != 0 && ahead < 0) return seen;
    const uint64_t tick = seen == 0 ? reading : seen + static_cast<uint32_t>(ahead);
    if (last.compare_exchange_weak(seen, tick)) return tick;
  }
}

uint64_t Win32Clock::tickMs() {
  if (const auto tick64 = optionalApi().GetTickCount64) return tick64();
  static std::atomic<uint64_t> last{0};
  return widenedTick(GetTickCount(), last);
}

void Win32Clock::sleepMs(uint32_t ms) { Sleep(ms); }

}  // namespace platform::win32
