// The reference of bench/memory: the least a program built like qexsys.exe holds while it
// shows its main window: the skin library loaded and one window of the main window's size and
// frame, shown and painted. Prints its private bytes (the commit charge) in KiB once the
// window has painted.
//
//   memory_reference PATH_OF_ULMRES_DLL
#include <windows.h>
#include <psapi.h>

#include <cstdio>

#include "bench/dialog_window.h"

namespace {

bool painted = false;

LRESULT CALLBACK window(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg != WM_PAINT) return DefWindowProcA(hwnd, msg, wp, lp);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EndPaint(hwnd, &ps);
  painted = true;
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: memory_reference PATH_OF_ULMRES_DLL\n");
    return 2;
  }
  HMODULE skin = LoadLibraryA(argv[1]);
  if (!skin) {
    std::fprintf(stderr, "memory_reference: cannot load %s\n", argv[1]);
    return 1;
  }
  // The main window's client size.
  HWND hwnd = makeDialogWindow("MemoryReference", window, 700, 450);
  if (!hwnd) return 1;
  ShowWindow(hwnd, SW_SHOW);
  MSG msg;
  while (!painted && GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return 1;
  std::printf("%llu\n", static_cast<unsigned long long>(counters.PagefileUsage / 1024));
  DestroyWindow(hwnd);
  FreeLibrary(skin);
  return 0;
}
