// Simple MAPI from the system's MAPI32.DLL, loaded on first use and kept for the run.
#pragma once

#include <windows.h>

#include "platform/mail.h"

namespace platform::win32 {

class Win32Mail : public Mail {
 public:
  Win32Mail() = default;
  Win32Mail(const Win32Mail&) = delete;
  Win32Mail& operator=(const Win32Mail&) = delete;
  ~Win32Mail() override;
  uint32_t sendMail(uintptr_t parentWindow, const std::string& subject, const std::string& body) override;

 private:
  HMODULE mapi_ = nullptr;
};

}  // namespace platform::win32
