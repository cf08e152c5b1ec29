#include "ui/win32/run.h"

#include "ui/application.h"
#include "ui/win32/win32_backend.h"

namespace ui::win32 {

HINSTANCE currentInstance() { return GetModuleHandleA(nullptr); }

int withApplication(const std::function<int(Application&)>& body) {
  Win32Backend backend;
  Application app(backend);
  return body(app);
}

}  // namespace ui::win32
