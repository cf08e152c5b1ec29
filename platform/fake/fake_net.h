// The internet state a test chooses; every connection test and state query is counted. A
// connection test is answered at once, or, while holdChecks is set, when the test says so.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/net.h"

namespace platform::fake {

class FakeNet : public Net {
 public:
  bool reachable = false;  // the machine here has no way out, like the build machines
  bool connectedState = true;
  bool holdChecks = false;
  std::vector<std::string> checkedUrls;
  int connectedQueries = 0;

  void checkConnection(const std::string& url, std::function<void(bool)> answered) override {
    checkedUrls.push_back(url);
    if (holdChecks)
      held_.push_back(std::move(answered));
    else
      answered(reachable);
  }
  // Gives every held connection test the answer reachable has now.
  void answerHeld() {
    auto held = std::move(held_);
    held_.clear();
    for (auto& answered : held) answered(reachable);
  }
  bool connected() override {
    ++connectedQueries;
    return connectedState;
  }

 private:
  std::vector<std::function<void(bool)>> held_;
};

}  // namespace platform::fake
