// Long work on the user-interface thread lets the window messages in between its steps. A step
// (one directory entry of a walk) can cost far less than a look at the message queue, which
// under Wine is a round trip to the server, so the messages are let in at the first step of a
// run and then whenever a few milliseconds have passed, not at every step.
#pragma once

#include <cstdint>

#include "platform/clock.h"
#include "ui/application.h"

namespace frame {

class MessagePump {
 public:
  // Often enough that a click or a repaint waits no longer than a screen refresh.
  static constexpr uint64_t kIntervalMs = 15;

  MessagePump(ui::Application& app, platform::Clock& clock) : app_(app), clock_(clock) {}

  // A run begins: its first step lets the messages in.
  void start() { due_ = true; }
  // One step of the run.
  void operator()();

 private:
  ui::Application& app_;
  platform::Clock& clock_;
  bool due_ = true;
  uint64_t last_ = 0;
};

}  // namespace frame
