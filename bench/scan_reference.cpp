// The reference for bench/scan: what the scan cannot do without, and nothing else. A window of
// the scan window's size starts, from a 10 ms one-shot timer, a loop of LINES turns of a 10 ms
// pause followed by the handling of every pending message. Timed from the showing to the end of
// the loop. Prints the number of turns, then the seconds on the clock and in processor time.
//
//   scan_reference LINES
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "bench/cpu_seconds.h"

namespace {

int lines = 0, done = 0;

void pumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_TIMER) {
    KillTimer(hwnd, 1);
    for (; done < lines; ++done) {
      Sleep(10);
      pumpMessages();
    }
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 || (lines = std::atoi(argv[1])) <= 0) {
    std::fprintf(stderr, "usage: scan_reference LINES\n");
    return 2;
  }
  WNDCLASSA wc = {};
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
  wc.lpszClassName = "ScanReference";
  RegisterClassA(&wc);
  const DWORD style = WS_CAPTION | WS_SYSMENU;
  RECT r = {0, 0, 566, 365};
  AdjustWindowRectEx(&r, style, FALSE, 0);
  const Stopwatch watch;
  HWND hwnd =
      CreateWindowExA(0, wc.lpszClassName, "Scan Reference", style, CW_USEDEFAULT, CW_USEDEFAULT,
                      r.right - r.left, r.bottom - r.top, nullptr, nullptr, wc.hInstance, nullptr);
  ShowWindow(hwnd, SW_SHOW);
  SetTimer(hwnd, 1, 10, nullptr);
  MSG msg;
  while (done < lines && GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  const double clock = watch.clock(), cpu = watch.cpu();
  std::printf("%d %.4f %.4f\n", done, clock, cpu);
  DestroyWindow(hwnd);
  return 0;
}
