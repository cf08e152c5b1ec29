// A form's timer: an interval in milliseconds, enabled or not, and its handler.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace ui {

class Form;

class Timer {
 public:
  Timer(Form& owner, std::string name, uint32_t interval);
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;
  ~Timer();

  const std::string& name() const { return name_; }
  Form& form() const { return form_; }
  bool enabled() const { return enabled_; }
  uint32_t interval() const { return interval_; }
  // How often the handler has run: what the automation reports as "fired".
  uint64_t fired() const { return fired_; }
  // Enabling a running timer changes nothing; a new interval restarts a running timer.
  void setEnabled(bool e);
  void setInterval(uint32_t ms);
  void start() { setEnabled(true); }
  void stop() { setEnabled(false); }

  std::function<void()> onTimer;
  // Called by the backend when the interval has passed.
  void fire();

 private:
  Form& form_;
  std::string name_;
  uint32_t interval_;
  bool enabled_ = false;
  uint64_t fired_ = 0;
};

}  // namespace ui
