// The cookies.txt of bench/cookies: cookies of many other sites, a few of the community host's
// own without the member cookie, and the member cookie on the very last line, so that the walk
// passes every line. About 80 bytes a line, as a browser writes them.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

inline constexpr const char* kBenchHost = "community.orvanta.example";
inline constexpr int kBenchMemberId = 4711;

inline std::string benchCookies(int lines) {
  std::string text = "# Netscape HTTP Cookie File\n";
  char line[160];
  for (int i = 1; i < lines - 1; ++i) {
    if (i % 1000 == 0)
      std::snprintf(line, sizeof line, "%s\tFALSE\t/\tFALSE\t1893456000\tbbsessionhash\t%08x%08x\n",
                    kBenchHost, i * 2654435761u, i);
    else
      std::snprintf(line, sizeof line,
                    ".site%d.example\tTRUE\t/\tFALSE\t1893456000\tid%d\t%08x%08x%08x\n", i % 5000,
                    i, i * 2654435761u, i * 40503u, i);
    text += line;
  }
  std::snprintf(line, sizeof line, "%s\tFALSE\t/\tFALSE\t1893456000\tbbuserid\t%d\n", kBenchHost,
                kBenchMemberId);
  return text + line;
}

// The same walk without the program's reader: the lines split and compared with the host
// plainly, the window's messages handled as often as the detection does (tickMs gives the
// milliseconds of a clock). What the detection costs above this is its own.
template <typename TickMs, typename AfterLine>
int plainWalk(const std::string& text, TickMs tickMs, AfterLine afterLine) {
  uint64_t handled = tickMs();

  const std::string prefix = std::string(kBenchHost) + "\t";
  const std::string key = "\tbbuserid\t";
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string_view line(text.data() + start, end - start);
    if (line.compare(0, prefix.size(), prefix) == 0) {
      const size_t at = line.find(key);
      if (at != std::string_view::npos) return std::atoi(line.data() + at + key.size());
    }
    if (tickMs() - handled >= 10) {
      afterLine();
      handled = tickMs();
    }
    start = end + 1;
  }
  return 0;
}
