#include "ui/win32/open_menu.h"

#include <windows.h>

#include "platform/win32/optional_api.h"

namespace ui::win32 {

void endOpenMenu() {
  if (const auto endMenu = platform::win32::optionalApi().EndMenu) {
    endMenu();
    return;
  }
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (GetGUIThreadInfo(GetCurrentThreadId(), &info) && (info.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE)) &&
      info.hwndMenuOwner)
    SendMessageA(info.hwndMenuOwner, WM_CANCELMODE, 0, 0);
}

}  // namespace ui::win32
