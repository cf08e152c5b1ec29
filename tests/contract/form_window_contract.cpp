// The windows of forms on the real window system: made when they are first wanted, not when the
// form is, and then with everything the form was given before.
#ifndef QEX_CONTRACT_FAKE

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ui/application.h"
#include "ui/form.h"
#include "ui/win32/win32_backend.h"

namespace {

constexpr const char* kClass = "QexContractForm";

HWND formWindow() { return FindWindowA(kClass, nullptr); }

std::string title(HWND window) {
  char text[64] = {};
  GetWindowTextA(window, text, sizeof(text));
  return text;
}

// Lets the messages waiting, timers among them, come for up to the given time.
template <typename Done>
bool pumpUntil(Done done, DWORD ms) {
  const DWORD start = GetTickCount();
  MSG msg;
  while (!done() && GetTickCount() - start < ms) {
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(5);
  }
  return done();
}

TEST(FormWindows, AFormGetsItsWindowWhenFirstShownWithWhatItWasGiven) {
  ui::win32::Win32Backend backend;
  ui::Application app(backend);
  ui::Form form(app, kClass, "form", 120, 80);
  form.setCaption("Before it showed");
  form.setPosition(40, 30);
  form.setClientSize(150, 90);
  EXPECT_EQ(formWindow(), nullptr);
  EXPECT_EQ(app.nativeHandle(&form), 0u);

  form.show();
  HWND window = formWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(app.nativeHandle(&form), reinterpret_cast<uintptr_t>(window));
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(title(window), "Before it showed");
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 150);
  EXPECT_EQ(client.bottom, 90);
  RECT frame{};
  GetWindowRect(window, &frame);
  EXPECT_EQ(frame.left, 40);
  EXPECT_EQ(frame.top, 30);

  // Hidden again, it keeps its window.
  form.hide();
  EXPECT_EQ(formWindow(), window);
  EXPECT_FALSE(IsWindowVisible(window));
}

// The tray icon's messages go to its owner's window, which must exist for that even while the
// owner has never been shown (a program started to the tray).
TEST(FormWindows, TheTrayIconsOwnerGetsItsWindowWithoutBeingShown) {
  ui::win32::Win32Backend backend;
  ui::Application app(backend);
  ui::Form form(app, kClass, "form", 120, 80);
  app.setTray(ui::TrayIcon{true, 7, WM_APP + 7, "Contract", 1, &form});
  EXPECT_TRUE(pumpUntil([] { return formWindow() != nullptr; }, 5000));
  EXPECT_FALSE(IsWindowVisible(formWindow()));
  app.removeTray();
}

// Removed before the icon was ever added, nothing is added afterwards either.
TEST(FormWindows, ATrayIconRemovedBeforeItWasAddedNeverComes) {
  ui::win32::Win32Backend backend;
  ui::Application app(backend);
  ui::Form form(app, kClass, "form", 120, 80);
  app.setTray(ui::TrayIcon{true, 8, WM_APP + 8, "Contract", 1, &form});
  app.removeTray();
  EXPECT_FALSE(pumpUntil([] { return formWindow() != nullptr; }, 300));
}

}  // namespace

#endif
