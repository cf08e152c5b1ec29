// The internet state as the system reports it.
#pragma once

#include <functional>
#include <string>

namespace platform {

class Net {
 public:
  virtual ~Net() = default;
  // InternetCheckConnectionA(url, FLAG_ICC_FORCE_CONNECTION), asked without waiting for it: on
  // a network that swallows the attempt, the system answers only when its connect gives up
  // (about 20 s on Windows, minutes under Wine). answered(reachable) runs once, on a thread of
  // the system's or at once, whenever the answer comes; the program may have ended its use of
  // this object by then, so answered must hold what it needs by itself.
  virtual void checkConnection(const std::string& url, std::function<void(bool)> answered) = 0;
  // InternetGetConnectedState.
  virtual bool connected() = 0;
};

}  // namespace platform
