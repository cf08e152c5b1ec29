// A library's entry point, by name or by ordinal, typed as the function it is.
#pragma once

#include <windows.h>

namespace platform::win32 {

// Null when the library is null or has no such entry point.
template <typename Fn>
void lookUp(HMODULE module, const char* name, Fn& entry) {
  entry = module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

}  // namespace platform::win32
