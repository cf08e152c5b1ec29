#include "platform/win32/win32_net.h"

#include <windows.h>
#include <wininet.h>

#include "platform/thread.h"

namespace platform::win32 {

// The worker holds its own copies and nothing of this object: a program that ends while the
// system still tries to connect ends at once, and the worker with it.
void Win32Net::checkConnection(const std::string& url, std::function<void(bool)> answered) {
  Thread([url, answered = std::move(answered)] {
    answered(InternetCheckConnectionA(url.c_str(), FLAG_ICC_FORCE_CONNECTION, 0) != FALSE);
  }).detach();
}

bool Win32Net::connected() {
  DWORD flags = 0;
  return InternetGetConnectedState(&flags, 0) != FALSE;
}

}  // namespace platform::win32
