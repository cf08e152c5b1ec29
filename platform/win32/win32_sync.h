// The named mutex and folder change notifications from kernel32.
#pragma once

#include "platform/sync.h"

namespace platform::win32 {

class Win32Sync : public Sync {
 public:
  std::unique_ptr<NamedMutex> createMutex(const std::string& name) override;
  // FindFirstChangeNotificationA(path, no subtree, FILE_NAME | LAST_WRITE = 0x11) and an
  // auto-reset stop event, waited on in that order: a change that comes with a stop wins.
  std::unique_ptr<FolderWatch> watchFolder(const std::string& path) override;
};

}  // namespace platform::win32
