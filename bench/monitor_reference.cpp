// The reference of the monitor-idle benchmark: the smallest program that does what the monitor
// mode must do while nothing changes, a thread that waits on a change notification for the
// Windows directory (FILE_NAME | LAST_WRITE, no subtree) and re-arms it after each change.
#include <windows.h>

static DWORD WINAPI watch(void*) {
  char dir[MAX_PATH] = "";
  GetWindowsDirectoryA(dir, MAX_PATH);
  HANDLE change = FindFirstChangeNotificationA(
      dir, FALSE, FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE);
  if (change == INVALID_HANDLE_VALUE) return 1;
  while (WaitForSingleObject(change, INFINITE) == WAIT_OBJECT_0 &&
         FindNextChangeNotification(change)) {
  }
  FindCloseChangeNotification(change);
  return 0;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  HANDLE thread = CreateThread(nullptr, 0, watch, nullptr, 0, nullptr);
  WaitForSingleObject(thread, INFINITE);
  return 0;
}
