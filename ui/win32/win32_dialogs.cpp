// The backend's modal and shell-side pieces: message boxes, the save dialog, popup menus and
// the notification-area icon.
#include "ui/win32/win32_backend.h"

#include <commdlg.h>
#include <shellapi.h>

#include <memory>
#include <vector>

#include "platform/thread.h"
#include "ui/application.h"
#include "ui/menu.h"
#include "ui/win32/late_libraries.h"

namespace ui::win32 {

int Win32Backend::messageBox(Form* owner, const std::string& text, const std::string& caption, unsigned flags) {
  HWND window = windowOf(owner);
  // A box raised by no window in particular (a file that could not be written, say) stands
  // over the window the user works in, which gets the keyboard back when it is answered.
  if (!window) window = GetActiveWindow();
  // Without one, it still holds back the program's other windows until it is answered.
  if (!window) flags |= MB_TASKMODAL;
  const std::string& title = caption.empty() && app_ ? app_->title() : caption;
  return MessageBoxA(window, text.c_str(), title.c_str(), flags);
}

std::optional<std::string> Win32Backend::saveDialog(Form* owner, const SaveDialogOptions& options) {
  // "Text (*.txt)|*.txt" becomes the dialog's list of NUL-separated pairs, ended by two NULs.
  std::string filter = options.filter;
  for (char& c : filter)
    if (c == '|') c = '\0';
  filter.append(2, '\0');
  std::string ext = options.defaultExt;
  while (!ext.empty() && (ext.front() == '*' || ext.front() == '.')) ext.erase(0, 1);

  std::vector<char> file(4096, '\0');
  OPENFILENAMEA ofn{};
  ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  ofn.hwndOwner = windowOf(owner);
  ofn.lpstrFilter = options.filter.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrTitle = options.title.empty() ? nullptr : options.title.c_str();
  ofn.lpstrDefExt = ext.empty() ? nullptr : ext.c_str();
  ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
  if (options.overwritePrompt) ofn.Flags |= OFN_OVERWRITEPROMPT;
  const SaveFileDialog show = saveFileDialog();
  if (!show || !show(&ofn)) return std::nullopt;
  return std::string(file.data());
}

void Win32Backend::popupMenu(PopupMenu& menu, int x, int y) {
  HWND owner = windowOf(&menu.form());
  MenuPtr popup(CreatePopupMenu());
  if (!owner || !popup) return;
  // The items may change while the menu is open (timers keep running); the choice is made by
  // name afterwards, against the items as they are then.
  std::vector<std::string> names;
  for (const MenuItem& item : menu.items()) {
    names.push_back(item.name);
    const UINT id = static_cast<UINT>(names.size());
    if (item.separator) {
      AppendMenuA(popup.get(), MF_SEPARATOR, 0, nullptr);
      continue;
    }
    AppendMenuA(popup.get(), MF_STRING | (item.enabled ? MF_ENABLED : MF_GRAYED), id, item.caption.c_str());
    if (item.isDefault) SetMenuDefaultItem(popup.get(), id, FALSE);
  }
  // Without the owner in the foreground the menu would not close when the user clicks away.
  SetForegroundWindow(owner);
  const int chosen = TrackPopupMenu(popup.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, x, y, 0, owner, nullptr);
  PostMessageA(owner, WM_NULL, 0, 0);
  // The menu's own loop may have taken the quit request that came while it was open.
  if (app_->terminated()) PostQuitMessage(0);
  if (chosen > 0 && static_cast<size_t>(chosen) <= names.size()) menu.choose(names[chosen - 1]);
}

void Win32Backend::trayCall(DWORD what, const TrayIcon& tray, HWND window) {
  NOTIFYICONDATAA data{};
  // The first layout of the structure, which every version of the shell accepts.
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = window;
  data.uID = tray.id;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = tray.callbackMessage;
  data.hIcon = programIcon();
  tray.tip.copy(data.szTip, 63);
  if (what != NIM_DELETE) {
    Shell_NotifyIconA(what, &data);
    return;
  }
  // Removing the last icon makes Wine's stand-in tray hide its own window, and it answers only
  // when a window manager has confirmed that, or after two seconds on a bare X server. The
  // removal is asked on a thread of its own and waited for briefly; it is carried out either
  // way, and quitting does not wait for the tray.
  auto answered = std::make_shared<platform::Event>();
  platform::Thread([data, answered]() mutable {
    Shell_NotifyIconA(NIM_DELETE, &data);
    answered->set();
  }).detach();
  answered->waitFor(500);
}

// The first icon is added once the program's windows have painted: the shell answers for it
// only when Explorer has made its icon, a twentieth of a second under Wine, and a program that
// starts shows its window first. A timer's message comes after every other one, painting
// included. Changes and the removal are made at once.
void Win32Backend::trayChanged(const TrayIcon& tray) {
  if (tray.present && !shownTrayWindow_) {
    SetTimer(hidden_.get(), kTrayTimer, USER_TIMER_MINIMUM, &trayTimerProc);
    return;
  }
  KillTimer(hidden_.get(), kTrayTimer);
  showTray(tray);
}

void CALLBACK Win32Backend::trayTimerProc(HWND hwnd, UINT, UINT_PTR id, DWORD) {
  KillTimer(hwnd, id);
  auto* self = reinterpret_cast<Win32Backend*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (self && self->app_) self->showTray(self->app_->tray());
}

void Win32Backend::showTray(const TrayIcon& tray) {
  // The icon's messages go to its owner's window, made for it if the owner has not shown yet.
  FormWindow* owner = formWindow(tray.owner);
  HWND window = !tray.present ? nullptr : tray.owner ? (owner ? owner->made() : nullptr) : hidden_.get();
  if (shownTrayWindow_ && (!tray.present || window != shownTrayWindow_ || tray.id != shownTray_.id)) {
    trayCall(NIM_DELETE, shownTray_, shownTrayWindow_);
    shownTrayWindow_ = nullptr;
  }
  if (!tray.present || !window) return;
  trayCall(shownTrayWindow_ ? NIM_MODIFY : NIM_ADD, tray, window);
  shownTray_ = tray;
  shownTrayWindow_ = window;
}

void Win32Backend::taskbarCreated(HWND window) {
  if (shownTrayWindow_ && window == shownTrayWindow_) trayCall(NIM_ADD, shownTray_, shownTrayWindow_);
}

}  // namespace ui::win32
