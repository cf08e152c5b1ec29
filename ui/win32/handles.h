// Owners of the Windows handles the window backend makes: each one is released exactly once,
// when its owner goes away.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <type_traits>

#include "ui/bitmap.h"
#include "ui/win32/late_libraries.h"

namespace ui::win32 {

struct GdiObjectDeleter {
  void operator()(void* h) const { DeleteObject(static_cast<HGDIOBJ>(h)); }
};
struct DcDeleter {
  void operator()(HDC h) const { DeleteDC(h); }
};
struct MenuDeleter {
  void operator()(HMENU h) const { DestroyMenu(h); }
};
struct ImageListDeleter {
  // A list exists only once the library that made it is loaded.
  void operator()(HIMAGELIST h) const { commonControls().ImageList_Destroy(h); }
};
struct WindowDeleter {
  void operator()(HWND h) const { DestroyWindow(h); }
};

template <typename H>
using GdiPtr = std::unique_ptr<std::remove_pointer_t<H>, GdiObjectDeleter>;
using DcPtr = std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter>;
using MenuPtr = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDeleter>;
using ImageListPtr = std::unique_ptr<std::remove_pointer_t<HIMAGELIST>, ImageListDeleter>;
using WindowPtr = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDeleter>;

// The model keeps colours as 0x00RRGGBB, GDI as 0x00BBGGRR.
inline COLORREF colorRef(Color c) { return RGB((c >> 16) & 255, (c >> 8) & 255, c & 255); }

}  // namespace ui::win32
