// Native side of bench/cookies: a Firefox cookies.txt of LINES lines on the fake files, found
// through profiles.ini as the program finds it, walked by the membership detection and by the
// plain walk of bench/cookie_lines.h, each ROUNDS times in turn. Prints the lines, the bytes
// and the best seconds of each.
//
//   bench_cookie_walk LINES ROUNDS
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "bench/cookie_lines.h"
#include "online/browsermembership.h"
#include "platform/fake/fake_files.h"
#include "platform/fake/fake_registry.h"
#include "platform/fake/fake_system.h"

namespace {

class SteadyClock : public platform::Clock {
 public:
  uint64_t tickMs() override {
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                     std::chrono::steady_clock::now().time_since_epoch())
                                     .count());
  }
  void sleepMs(uint32_t) override {}
};

template <typename Work>
double secondsOf(Work work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: bench_cookie_walk LINES ROUNDS\n");
    return 2;
  }
  const int lines = std::atoi(argv[1]), rounds = std::atoi(argv[2]);
  const std::string firefox = "C:\\users\\bench\\AppData\\Roaming\\Mozilla\\Firefox\\";
  const std::string cookies = benchCookies(lines);
  platform::fake::FakeRegistry registry;
  platform::fake::FakeFiles files;
  platform::fake::FakeSystem system;
  registry
      .create(platform::RegRoot::CurrentUser,
              "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders")
      ->writeString("AppData", "C:\\users\\bench\\AppData\\Roaming");
  files.addFile(firefox + "profiles.ini", "[Profile0]\nPath=Profiles/bench.default\n");
  files.addFile(firefox + "Profiles\\bench.default\\cookies.txt", cookies);
  SteadyClock clock;
  online::BrowserMembership membership(registry, files, system, clock, kBenchHost);

  double ours = 1e9, plain = 1e9;
  long handled = 0;
  for (int round = 0; round < rounds; ++round) {
    ours = std::min(ours, secondsOf([&] {
                      membership.detect(
                          "Firefox", [&] { ++handled; }, [] { std::abort(); });
                    }));
    plain = std::min(plain, secondsOf([&] {
                       // The plain walk reads the file as the detection does.
                       const auto text = files.readFile(
                           firefox + "Profiles\\bench.default\\cookies.txt", 1ull << 30);
                       const auto tick = [&] { return clock.tickMs(); };
                       if (plainWalk(*text, tick, [&] { ++handled; }) != kBenchMemberId)
                         std::abort();
                     }));
  }
  if (membership.memberId() != kBenchMemberId) std::abort();
  std::printf("%d %zu %.4f %.4f\n", lines, cookies.size(), ours, plain);
  return 0;
}
