// The internet state as the system reports it.
#pragma once

#include <string>

namespace platform {

class Net {
 public:
  virtual ~Net() = default;
  // InternetCheckConnectionA(url, FLAG_ICC_FORCE_CONNECTION).
  virtual bool checkConnection(const std::string& url) = 0;
  // InternetGetConnectedState.
  virtual bool connected() = 0;
};

}  // namespace platform
