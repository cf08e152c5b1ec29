// The internet state through wininet.
#pragma once

#include "platform/net.h"

namespace platform::win32 {

class Win32Net : public Net {
 public:
  bool checkConnection(const std::string& url) override;
  bool connected() override;
};

}  // namespace platform::win32
