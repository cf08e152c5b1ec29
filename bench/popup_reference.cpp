// The reference of the popup-latency benchmark: the smallest program that waits on a change
// notification for the Windows directory and shows a 192 x 250 borderless window on top for it.
// WM_CLOSE hides the window again, as it does the program's popup.
#include <windows.h>

static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_CLOSE:
      ShowWindow(hwnd, SW_HIDE);
      return 0;
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = "ReferencePopup";
  RegisterClassA(&wc);
  const int w = 192, h = 250;
  HWND hwnd = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "ReferencePopup", "", WS_POPUP,
                              GetSystemMetrics(SM_CXSCREEN) - w, GetSystemMetrics(SM_CYSCREEN) - h,
                              w, h, nullptr, nullptr, instance, nullptr);
  char dir[MAX_PATH] = "";
  GetWindowsDirectoryA(dir, MAX_PATH);
  HANDLE change = FindFirstChangeNotificationA(
      dir, FALSE, FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE);
  if (change == INVALID_HANDLE_VALUE) return 1;
  while (true) {
    const DWORD woke = MsgWaitForMultipleObjects(1, &change, FALSE, INFINITE, QS_ALLINPUT);
    if (woke == WAIT_OBJECT_0) {
      if (!IsWindowVisible(hwnd)) ShowWindow(hwnd, SW_SHOWNOACTIVATE);
      FindNextChangeNotification(change);
      continue;
    }
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) return 0;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
}
