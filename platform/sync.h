// Kernel objects shared with other processes or threads: the single-instance mutex and the
// change notification of a folder.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace platform {

// A named mutex; the handle closes on destruction.
class NamedMutex {
 public:
  virtual ~NamedMutex() = default;
  // GetLastError() == ERROR_ALREADY_EXISTS right after the creation.
  virtual bool alreadyExisted() const = 0;
};

// FindFirstChangeNotificationA plus a stop event, waited on together.
class FolderWatch {
 public:
  virtual ~FolderWatch() = default;
  enum class Wake { Change, Stopped, Failed };
  // Blocks until a change, the stop event or a failure.
  virtual Wake wait() = 0;
  // FindNextChangeNotification.
  virtual bool rearm() = 0;
  // Signals the stop event; safe from any thread.
  virtual void stop() = 0;
};

class Sync {
 public:
  virtual ~Sync() = default;
  // CreateMutexA(initial owner true); null only when the creation failed outright.
  virtual std::unique_ptr<NamedMutex> createMutex(const std::string& name) = 0;
  // Watches a folder without its subtree for FILE_NOTIFY_CHANGE_FILE_NAME | LAST_WRITE. An
  // invalid path gives a watch whose wait() fails at once.
  virtual std::unique_ptr<FolderWatch> watchFolder(const std::string& path) = 0;
};

}  // namespace platform
