// The internet state a test chooses; every connection test and state query is counted.
#pragma once

#include <string>
#include <vector>

#include "platform/net.h"

namespace platform::fake {

class FakeNet : public Net {
 public:
  bool reachable = false;  // the machine here has no way out, like the build machines
  bool connectedState = true;
  std::vector<std::string> checkedUrls;
  int connectedQueries = 0;

  bool checkConnection(const std::string& url) override {
    checkedUrls.push_back(url);
    return reachable;
  }
  bool connected() override {
    ++connectedQueries;
    return connectedState;
  }
};

}  // namespace platform::fake
