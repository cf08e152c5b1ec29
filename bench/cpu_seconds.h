// Processor time of this process (user and kernel), in seconds: on a machine shared with other
// work it varies far less between runs than the time on the clock.
#pragma once

#include <windows.h>

#include <cstdint>

inline double cpuSeconds() {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
  auto seconds = [](const FILETIME& t) { return double((uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7; };
  return seconds(kernel) + seconds(user);
}
