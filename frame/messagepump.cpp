#include "frame/messagepump.h"

namespace frame {

void MessagePump::operator()() {
  const uint64_t now = clock_.tickMs();
  if (!due_ && now - last_ < kIntervalMs) return;
  due_ = false;
  last_ = now;
  app_.processMessages();
}

}  // namespace frame
