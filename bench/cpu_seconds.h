// Processor time of this process (user and kernel), in seconds: on a machine shared with other
// work it varies far less between runs than the time on the clock. Measured with the clock by
// Stopwatch, and for the Wine server by hostProcessSeconds.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

inline double cpuSeconds() {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
  auto seconds = [](const FILETIME& t) { return double((uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7; };
  return seconds(kernel) + seconds(user);
}

// The time on the clock and this process's processor time, both since it was made.
class Stopwatch {
 public:
  Stopwatch() : cpuStart_(cpuSeconds()) {
    QueryPerformanceFrequency(&frequency_);
    QueryPerformanceCounter(&start_);
  }
  double clock() const {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return double(now.QuadPart - start_.QuadPart) / double(frequency_.QuadPart);
  }
  double cpu() const { return cpuSeconds() - cpuStart_; }

 private:
  double cpuStart_;
  LARGE_INTEGER frequency_, start_;
};

// Processor time of a process of the host, such as the Wine server working for this program,
// given its process number: read from the host's /proc through Wine's drive Z:, 0 when there
// is no such file (outside Wine).
inline double hostProcessSeconds(const char* pid, double ticksPerSecond) {
  char path[64];
  std::snprintf(path, sizeof path, "Z:\\proc\\%s\\stat", pid);
  HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return 0;
  char text[1024];
  DWORD got = 0;
  if (!ReadFile(h, text, sizeof text - 1, &got, nullptr)) got = 0;
  CloseHandle(h);
  text[got] = '\0';
  // After the command in parentheses: the state, ten more fields, then user and system ticks.
  const char* rest = std::strrchr(text, ')');
  unsigned long long user = 0, system = 0;
  if (!rest || std::sscanf(rest + 1, " %*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &user, &system) != 2)
    return 0;
  return double(user + system) / ticksPerSecond;
}

// The clock, this process's processor time and the Wine server's (given as SERVER-PID and
// TICKS-PER-SECOND on the command line, or not at all) over one piece of work, printed as
// three figures in seconds on one line.
class ServerSpan {
 public:
  ServerSpan(int argc, char** argv)
      : server_(argc == 4 ? argv[2] : ""), ticks_(argc == 4 ? std::atof(argv[3]) : 100),
        serverStart_(hostProcessSeconds(server_, ticks_)) {}
  void print() const {
    const double clock = watch_.clock(), cpu = watch_.cpu();
    std::printf("%.4f %.4f %.4f\n", clock, cpu, hostProcessSeconds(server_, ticks_) - serverStart_);
  }

 private:
  const char* server_;
  double ticks_;
  double serverStart_;
  Stopwatch watch_;
};
