#include "platform/win32/win32_net.h"

#include <windows.h>
#include <wininet.h>

namespace platform::win32 {

bool Win32Net::checkConnection(const std::string& url) {
  return InternetCheckConnectionA(url.c_str(), FLAG_ICC_FORCE_CONNECTION, 0) != FALSE;
}

bool Win32Net::connected() {
  DWORD flags = 0;
  return InternetGetConnectedState(&flags, 0) != FALSE;
}

}  // namespace platform::win32
