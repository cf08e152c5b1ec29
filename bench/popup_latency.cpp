// The timer of the popup-latency benchmark, run under Wine beside the program measured:
//   popup_latency <window class> <runs>
// waits for the hidden window of that class, then for each run appends to a file directly in
// the Windows directory and measures the time until the window is visible; it closes the window
// (WM_CLOSE) and waits until it stays hidden before the next run. A first showing, untimed,
// comes before the runs: a window shown for the first time is still being set up. Prints each
// time in milliseconds and last "median <ms>".
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

double now() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return double(t.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

bool visible(const char* cls) {
  HWND h = FindWindowA(cls, nullptr);
  return h && IsWindowVisible(h);
}

// Until the window is hidden and stays so for a while: no late notification is pending.
bool settleHidden(const char* cls, double limitMs) {
  const double end = now() + limitMs;
  double hiddenSince = -1;
  while (now() < end) {
    if (HWND h = FindWindowA(cls, nullptr); h && IsWindowVisible(h)) {
      PostMessageA(h, WM_CLOSE, 0, 0);
      hiddenSince = -1;
    } else if (h) {
      if (hiddenSince < 0) hiddenSince = now();
      if (now() - hiddenSince > 500) return true;
    }
    Sleep(5);
  }
  return false;
}

bool touch(const std::string& path) {
  HANDLE f = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(f, "x", 1, &written, nullptr);
  CloseHandle(f);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: popup_latency <window class> <runs>\n", stderr);
    return 2;
  }
  const char* cls = argv[1];
  const int runs = std::atoi(argv[2]);
  char dir[MAX_PATH] = "";
  GetWindowsDirectoryA(dir, MAX_PATH);
  const std::string file = std::string(dir) + "\\qex-popup-latency.tmp";
  std::vector<double> times;
  for (int i = -1; i < runs; ++i) {
    if (!settleHidden(cls, 60000)) {
      std::puts("error the window did not stay hidden");
      return 1;
    }
    const double start = now();
    if (!touch(file)) {
      std::puts("error cannot write into the Windows directory");
      return 1;
    }
    while (!visible(cls)) {
      if (now() - start > 20000) {
        std::puts("error the window did not show");
        return 1;
      }
      Sleep(1);
    }
    if (i < 0) continue;
    times.push_back(now() - start);
    std::printf("%.2f\n", times.back());
    std::fflush(stdout);
  }
  settleHidden(cls, 5000);
  DeleteFileA(file.c_str());
  std::sort(times.begin(), times.end());
  const size_t n = times.size();
  std::printf("median %.2f\n", n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2);
  return 0;
}
