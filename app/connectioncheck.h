// The dashboard's connection test, asked as the window is made and answered whenever the
// system answers: the badge appears then, and meanwhile the program is up and answers the
// user. An answer that comes after the window has ended is dropped.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/net.h"

namespace app {

class ConnectionCheck {
 public:
  // Hands a call to the user-interface thread; any thread may call it.
  using Post = std::function<void(std::function<void()>)>;

  // Asks at once; answered(reachable) runs through post, on the user-interface thread.
  ConnectionCheck(platform::Net& net, const std::string& url, Post post, std::function<void(bool)> answered);
  ~ConnectionCheck();
  ConnectionCheck(const ConnectionCheck&) = delete;
  ConnectionCheck& operator=(const ConnectionCheck&) = delete;

 private:
  struct Shared;
  std::shared_ptr<Shared> shared_;
};

}  // namespace app
