// What the program's entry point needs from the window backend.
#pragma once

#include <windows.h>

#include <functional>

namespace ui {
class Application;
}

namespace ui::win32 {

// The module of the running program: its window classes, icon and cursor resources.
HINSTANCE currentInstance();

// Makes the Win32 backend and an application on it and hands the application to body, which
// builds the windows and runs the message loop; returns body's exit code. The backend outlives
// everything body made.
int withApplication(const std::function<int(Application&)>& body);

}  // namespace ui::win32
