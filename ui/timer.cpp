#include "ui/timer.h"

#include "ui/application.h"
#include "ui/form.h"

namespace ui {

Timer::Timer(Form& owner, std::string name, uint32_t interval)
    : form_(owner), name_(std::move(name)), interval_(interval) {
  form_.add(*this);
}

Timer::~Timer() {
  form_.application().backend().timerDestroyed(*this);
  form_.remove(*this);
}

void Timer::setEnabled(bool e) {
  if (e == enabled_) return;
  enabled_ = e;
  form_.application().backend().timerChanged(*this);
}

void Timer::setInterval(uint32_t ms) {
  if (ms == interval_) return;
  interval_ = ms;
  if (enabled_) form_.application().backend().timerChanged(*this);
}

void Timer::fire() {
  if (!enabled_ || !onTimer) return;
  ++fired_;
  form_.application().guard(onTimer);
}

}  // namespace ui
