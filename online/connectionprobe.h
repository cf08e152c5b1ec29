// The internet state asked on a worker thread. The system takes tens of milliseconds to answer
// under Wine, so the news window asks while it comes up on the screen and collects the answer
// when its refresh starts, instead of waiting for it there.
#pragma once

#include "platform/net.h"
#include "platform/thread.h"

namespace online {

class ConnectionProbe {
 public:
  explicit ConnectionProbe(platform::Net& net) : net_(net) {}
  // Waits for a question still open, so the worker never outlives the Net it asks.
  ~ConnectionProbe();
  ConnectionProbe(const ConnectionProbe&) = delete;
  ConnectionProbe& operator=(const ConnectionProbe&) = delete;

  // Asks now; an answer nobody collected is stale and is dropped (a question still on its way
  // is waited for first, which is a matter of milliseconds).
  void start();
  // The answer to the question started last, asked now when none is open; each answer is
  // given once.
  bool answer();

 private:
  platform::Net& net_;
  // The question open, if any; it writes reply_, which is read only after the join.
  platform::Thread pending_;
  bool reply_ = false;
};

}  // namespace online
