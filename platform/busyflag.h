// Marks a run as under way for as long as it lasts, however it ends, so that a handler running
// during its message processing can see it and stay out.
#pragma once

namespace platform {

class BusyFlag {
 public:
  explicit BusyFlag(bool& flag) : flag_(flag) { flag_ = true; }
  ~BusyFlag() { flag_ = false; }
  BusyFlag(const BusyFlag&) = delete;
  BusyFlag& operator=(const BusyFlag&) = delete;

 private:
  bool& flag_;
};

}  // namespace platform
