// The internet state through wininet.
#pragma once

#include "platform/net.h"

namespace platform::win32 {

class Win32Net : public Net {
 public:
  void checkConnection(const std::string& url, std::function<void(bool)> answered) override;
  bool connected() override;
};

}  // namespace platform::win32
