#include "platform/win32/win32_clock.h"

#include <windows.h>

// The headers declare it for Vista and later targets only; the build names XP as its target
// for the rest of the API, and every system the program runs on today has it.
extern "C" __declspec(dllimport) ULONGLONG WINAPI GetTickCount64(void);

namespace platform::win32 {

uint64_t Win32Clock::tickMs() { return GetTickCount64(); }

void Win32Clock::sleepMs(uint32_t ms) { Sleep(ms); }

}  // namespace platform::win32
