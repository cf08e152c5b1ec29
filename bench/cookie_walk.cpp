// Wine side of bench/cookies: a Firefox cookies.txt of LINES lines written where this prefix's
// Firefox profile would keep it, found through the registry and profiles.ini, walked by the
// membership detection on the real services and by the plain walk of bench/cookie_lines.h,
// window messages processed every 10 ms of the walk as the program does. ROUNDS rounds in turn.
// Prints the lines, the bytes, then the best clock seconds of each and their processor seconds.
//
//   cookie_walk LINES ROUNDS
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "bench/cookie_lines.h"
#include "bench/cpu_seconds.h"
#include "online/browsermembership.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_system.h"

namespace {

void processMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

struct Timing {
  double clock = 1e9, cpu = 1e9;
};

template <typename Work>
void measure(Timing& best, Work work) {
  const Stopwatch watch;
  work();
  best.clock = std::min(best.clock, watch.clock());
  best.cpu = std::min(best.cpu, watch.cpu());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: cookie_walk LINES ROUNDS\n");
    return 2;
  }
  const int lines = std::atoi(argv[1]), rounds = std::atoi(argv[2]);
  platform::win32::Win32Registry registry;
  platform::win32::Win32Files files;
  platform::win32::Win32System system;

  auto folders =
      registry.open(platform::RegRoot::CurrentUser,
                    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                    platform::RegAccess::Read);
  const std::string appData = folders ? folders->readString("AppData").value_or("") : "";
  const std::string firefox = appData + "\\Mozilla\\Firefox\\";
  const std::string profile = firefox + "Profiles\\bench.default\\";
  const std::string cookies = benchCookies(lines);
  for (const std::string& dir : {appData + "\\Mozilla", firefox, firefox + "Profiles", profile})
    files.createDirectory(dir);
  if (!files.writeFile(firefox + "profiles.ini", "[Profile0]\r\nPath=Profiles/bench.default\r\n") ||
      !files.writeFile(profile + "cookies.txt", cookies)) {
    std::fprintf(stderr, "cookie_walk: cannot write below %s\n", firefox.c_str());
    return 1;
  }

  platform::win32::Win32Clock clock;
  online::BrowserMembership membership(registry, files, system, clock, kBenchHost);
  Timing ours, plain;
  for (int round = 0; round < rounds; ++round) {
    measure(ours, [&] { membership.detect("Firefox", processMessages, [] { std::abort(); }); });
    measure(plain, [&] {
      const auto text = files.readFile(profile + "cookies.txt", 1ull << 30);
      const auto tick = [&] { return clock.tickMs(); };
      if (!text || plainWalk(*text, tick, processMessages) != kBenchMemberId) std::abort();
    });
  }
  if (membership.memberId() != kBenchMemberId) {
    std::fprintf(stderr, "cookie_walk: the member was not found\n");
    return 1;
  }
  std::printf("%d %zu %.4f %.4f %.4f %.4f\n", lines, cookies.size(), ours.clock, ours.cpu,
              plain.clock, plain.cpu);
  return 0;
}
