// Forced into Google Test and the contract suite when the compiler's thread model has no
// std::mutex (GCC's win32 model, the 32-bit build). Google Test's one use of std::mutex and
// std::condition_variable is the Notification its thread helper starts threads with; with
// GTEST_HAS_NOTIFICATION_ it takes this one, on the program's own thread layer, instead.
#pragma once

#ifdef __cplusplus
#include "platform/thread.h"

namespace testing::internal {

class Notification {
 public:
  void Notify() { event_.set(); }
  void WaitForNotification() { event_.wait(); }

 private:
  platform::Event event_;
};

}  // namespace testing::internal
#endif
