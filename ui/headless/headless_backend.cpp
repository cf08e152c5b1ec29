#include "ui/headless/headless_backend.h"

#include <algorithm>

#include "ui/form.h"
#include "ui/menu.h"
#include "ui/timer.h"

namespace ui::headless {

Size FixedText::measure(const Font& font, const std::string& text) {
  const int cw = (font.height + 1) / 2 + (font.bold ? 1 : 0);
  int widest = 0, line = 0, lines = 1;
  for (char c : text) {
    if (c == '\n') {
      ++lines;
      line = 0;
      continue;
    }
    if (c == '\r') continue;
    line += cw;
    if (line > widest) widest = line;
  }
  return Size{widest, font.height * lines};
}

void HeadlessBackend::timerChanged(Timer& timer) {
  if (timer.enabled()) due_[&timer] = now_ + std::max<uint32_t>(timer.interval(), 1);
  else due_.erase(&timer);
}

void HeadlessBackend::timerDestroyed(Timer& timer) { due_.erase(&timer); }

void HeadlessBackend::advance(uint64_t ms) {
  const uint64_t end = now_ + ms;
  processMessages();
  while (true) {
    const Timer* next = nullptr;
    uint64_t when = end + 1;
    for (const auto& [t, d] : due_)
      if (d < when) next = t, when = d;
    if (!next || when > end) break;
    now_ = std::max(now_, when);
    Timer* t = const_cast<Timer*>(next);
    due_[t] = when + std::max<uint32_t>(t->interval(), 1);
    t->fire();
    processMessages();
  }
  now_ = std::max(now_, end);
}

void HeadlessBackend::processMessages() {
  queue_.drain([](const std::function<void()>& fn) { fn(); });
  if (onProcessMessages) onProcessMessages();
}

void HeadlessBackend::run() { processMessages(); }

void HeadlessBackend::post(std::function<void()> fn) {
  queue_.push(std::move(fn));
  ++posts;
}

int HeadlessBackend::messageBox(Form* owner, const std::string& text, const std::string& caption, unsigned flags) {
  int answer = (flags & 0xF) == kMbYesNo ? kIdYes : kIdOk;
  if (!boxAnswers.empty()) {
    answer = boxAnswers.front();
    boxAnswers.pop_front();
  }
  boxes.push_back(BoxRecord{owner ? owner->name() : std::string(), text, caption, flags, answer});
  if (whileBoxOpen) whileBoxOpen();
  return answer;
}

std::optional<std::string> HeadlessBackend::saveDialog(Form*, const SaveDialogOptions& options) {
  saveDialogs.push_back(options);
  if (saveAnswers.empty()) return std::nullopt;
  auto answer = saveAnswers.front();
  saveAnswers.pop_front();
  return answer;
}

void HeadlessBackend::popupMenu(PopupMenu& menu, int x, int y) { popups.push_back(PopupRecord{menu.name(), x, y}); }

uintptr_t HeadlessBackend::nativeHandle(const Form& form) {
  if (!app_) return 0;
  const auto& forms = app_->forms();
  for (size_t i = 0; i < forms.size(); ++i)
    if (forms[i] == &form) return i + 1;
  return 0;
}

}  // namespace ui::headless
