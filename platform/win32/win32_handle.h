// Owners of the kernel, registry, module and shell objects the platform layer opens: each is
// released exactly once, when its owner goes away. Only valid handles are ever owned.
#pragma once

#include <windows.h>
#include <objbase.h>

#include <memory>
#include <type_traits>

namespace platform::win32 {

struct HandleCloser {
  void operator()(HANDLE h) const { CloseHandle(h); }
};
struct ChangeNotificationCloser {
  void operator()(HANDLE h) const { FindCloseChangeNotification(h); }
};
struct KeyCloser {
  void operator()(HKEY h) const { RegCloseKey(h); }
};
struct ModuleFreer {
  void operator()(HMODULE h) const { FreeLibrary(h); }
};
struct DcReleaser {
  void operator()(HDC h) const { ReleaseDC(nullptr, h); }
};
struct TaskMemFreer {
  void operator()(void* p) const { CoTaskMemFree(p); }
};

using Handle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;
using ChangeNotification = std::unique_ptr<std::remove_pointer_t<HANDLE>, ChangeNotificationCloser>;
using Key = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;
using Module = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleFreer>;
using ScreenDc = std::unique_ptr<std::remove_pointer_t<HDC>, DcReleaser>;
template <typename T>
using TaskMem = std::unique_ptr<T, TaskMemFreer>;

// A COM interface pointer that releases its reference.
template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() { reset(); }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;

  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  // For calls that hand out a reference.
  T** out() {
    reset();
    return &p_;
  }
  void** outVoid() { return reinterpret_cast<void**>(out()); }
  void reset() {
    if (p_) p_->Release();
    p_ = nullptr;
  }

 private:
  T* p_ = nullptr;
};

}  // namespace platform::win32
