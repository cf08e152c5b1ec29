// The program's start: one copy only, the application's title, the windows, the message loop.
#pragma once

#include "platform/services.h"
#include "ui/application.h"

namespace app {

constexpr const char* kInstanceMutex = "MYMUTEX";

// Runs the program to its end and returns the process exit code (always 0: a second copy,
// a missing skin and an escaped error all end quietly or after their message).
int runProgram(platform::Services& services, ui::Application& ui);

}  // namespace app
