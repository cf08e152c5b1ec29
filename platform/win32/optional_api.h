// The system calls that some Windows the program runs on lacks. Each is looked up once, at run
// time, so that the program still loads where it is missing, and what the program does without
// it is written beside it, where the call is used.
#pragma once

#include <windows.h>

namespace platform::win32 {

struct OptionalApi {
  // ntdll, every NT: deletes the key a handle names, so the key that was checked is the key
  // that goes, and a registry link opened as the link goes as the link. Without it (98, ME,
  // which have no registry links) a key is deleted by its name below its parent.
  LONG(WINAPI* NtDeleteKey)(HANDLE key) = nullptr;
  // kernel32, XP SP2 and later: whether a 32-bit program runs on 64-bit Windows. Without it the
  // system is a 32-bit one, with a single view of the registry and of the system folder.
  BOOL(WINAPI* IsWow64Process)(HANDLE process, PBOOL wow64) = nullptr;
};

// The entry points of the running system, looked up on first use.
const OptionalApi& optionalApi();

// For the tests that run the program's way on a system without an entry point: while it lives,
// the entries cleared in table() answer as that system would; the system's own come back after.
class OptionalApiOverride {
 public:
  OptionalApiOverride();
  ~OptionalApiOverride();
  OptionalApiOverride(const OptionalApiOverride&) = delete;
  OptionalApiOverride& operator=(const OptionalApiOverride&) = delete;
  OptionalApi& table();

 private:
  OptionalApi saved_;
};

}  // namespace platform::win32
