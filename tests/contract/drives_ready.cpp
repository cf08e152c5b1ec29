// Under Wine the drives are made known by the mount manager, a service that the first program
// of a session starts beside itself: on a session just begun, the suite waits until it has
// made the Windows drive known, as a program on Windows never has to.
#ifndef QEX_CONTRACT_FAKE

#include <windows.h>

#include <gtest/gtest.h>

namespace {

class DrivesReady : public ::testing::Environment {
 public:
  void SetUp() override {
    char windows[MAX_PATH] = {};
    if (!GetWindowsDirectoryA(windows, MAX_PATH)) return;
    const DWORD drive = 1u << ((windows[0] | 0x20) - 'a');
    const DWORD start = GetTickCount();
    while (!(GetLogicalDrives() & drive) && GetTickCount() - start < 60000) Sleep(20);
  }
};

[[maybe_unused]] ::testing::Environment* const registered = ::testing::AddGlobalTestEnvironment(new DrivesReady);

}  // namespace

#endif
