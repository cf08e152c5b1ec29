// qexsys.exe: the real platform layer and window backend around the program's start-up.
#include <windows.h>

#include "app/startup.h"
#include "platform/win32/win32_services.h"
#include "ui/win32/run.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  platform::win32::Win32Services services;
  return ui::win32::withApplication([&](ui::Application& app) { return app::runProgram(services, app); });
}
