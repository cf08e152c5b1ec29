// A 32-bit program on 64-bit Windows finds SysWOW64 where it asks for System32. The file calls
// made while a RealSystemFolder lives on this thread reach the real System32, as a 64-bit
// program's do; where nothing is redirected (32-bit Windows, a 64-bit program) it does
// nothing. Only ever around single file calls: a library loaded meanwhile would be the wrong
// one.
#pragma once

#include "platform/win32/optional_api.h"

namespace platform::win32 {

class RealSystemFolder {
 public:
  RealSystemFolder() {
    const OptionalApi& api = optionalApi();
    if (api.Wow64DisableWow64FsRedirection && api.Wow64DisableWow64FsRedirection(&old_))
      revert_ = api.Wow64RevertWow64FsRedirection;
  }
  ~RealSystemFolder() {
    if (revert_) revert_(old_);
  }
  RealSystemFolder(const RealSystemFolder&) = delete;
  RealSystemFolder& operator=(const RealSystemFolder&) = delete;

 private:
  PVOID old_ = nullptr;
  BOOL(WINAPI* revert_)(PVOID) = nullptr;
};

}  // namespace platform::win32
