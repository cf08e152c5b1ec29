#include "platform/win32/win32_sync.h"

#include "platform/win32/win32_handle.h"

namespace platform::win32 {
namespace {

class Win32Mutex : public NamedMutex {
 public:
  Win32Mutex(HANDLE handle, bool existed) : handle_(handle), existed_(existed) {}
  bool alreadyExisted() const override { return existed_; }

 private:
  Handle handle_;
  bool existed_;
};

class Win32Watch : public FolderWatch {
 public:
  // change may be null when the folder could not be watched; then every wait fails.
  Win32Watch(ChangeNotification change, Handle stop) : change_(std::move(change)), stop_(std::move(stop)) {}

  Wake wait() override {
    if (!change_ || !stop_) return Wake::Failed;
    HANDLE handles[] = {change_.get(), stop_.get()};
    switch (WaitForMultipleObjects(2, handles, FALSE, INFINITE)) {
      case WAIT_OBJECT_0: return Wake::Change;
      case WAIT_OBJECT_0 + 1: return Wake::Stopped;
      default: return Wake::Failed;
    }
  }

  bool rearm() override { return change_ && FindNextChangeNotification(change_.get()); }

  void stop() override {
    if (stop_) SetEvent(stop_.get());
  }

 private:
  ChangeNotification change_;
  Handle stop_;
};

}  // namespace

std::unique_ptr<NamedMutex> Win32Sync::createMutex(const std::string& name) {
  HANDLE handle = CreateMutexA(nullptr, TRUE, name.c_str());
  const bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
  if (!handle) return nullptr;
  return std::make_unique<Win32Mutex>(handle, existed);
}

std::unique_ptr<FolderWatch> Win32Sync::watchFolder(const std::string& path) {
  Handle stop(CreateEventA(nullptr, FALSE, FALSE, nullptr));
  HANDLE change = FindFirstChangeNotificationA(
      path.c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE);
  return std::make_unique<Win32Watch>(
      ChangeNotification(change == INVALID_HANDLE_VALUE ? nullptr : change), std::move(stop));
}

}  // namespace platform::win32
