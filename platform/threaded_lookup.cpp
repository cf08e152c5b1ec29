#include "platform/threaded_lookup.h"

#include "platform/thread.h"

namespace platform {

std::optional<uint32_t> parseDottedAddress(const std::string& text) {
  uint32_t address = 0;
  size_t pos = 0;
  for (int part = 0; part < 4; ++part) {
    if (part > 0) {
      if (pos >= text.size() || text[pos] != '.') return std::nullopt;
      ++pos;
    }
    size_t digits = 0;
    uint32_t value = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && digits < 4) {
      value = value * 10 + static_cast<uint32_t>(text[pos] - '0');
      ++pos;
      ++digits;
    }
    if (digits == 0 || digits > 3 || value > 255) return std::nullopt;
    address = (address << 8) | value;
  }
  if (pos != text.size()) return std::nullopt;
  return address;
}

namespace {

class KnownAddress : public HostLookup {
 public:
  explicit KnownAddress(uint32_t address) : address_(address) {}
  State wait(uint32_t) override { return State::Found; }
  uint32_t address() const override { return address_; }

 private:
  uint32_t address_;
};

// Shared between the lookup and its worker, so whichever ends last frees it.
struct Answer {
  Mutex lock;
  Condition ready;
  bool done = false;
  std::optional<uint32_t> address;
};

class WorkerLookup : public HostLookup {
 public:
  WorkerLookup(const std::string& host, Resolver resolve) : answer_(std::make_shared<Answer>()) {
    Thread([answer = answer_, host, resolve = std::move(resolve)] {
      auto address = resolve(host);
      Lock hold(answer->lock);
      answer->address = address;
      answer->done = true;
      answer->ready.notifyAll();
    }).detach();
  }

  State wait(uint32_t ms) override {
    Lock hold(answer_->lock);
    answer_->ready.waitFor(hold, ms, [&] { return answer_->done; });
    if (!answer_->done) return State::Pending;
    return answer_->address ? State::Found : State::NotFound;
  }

  uint32_t address() const override {
    Lock hold(answer_->lock);
    return answer_->address.value_or(0);
  }

 private:
  std::shared_ptr<Answer> answer_;
};

}  // namespace

std::unique_ptr<HostLookup> startLookup(const std::string& host, Resolver resolve) {
  if (auto address = parseDottedAddress(host)) return std::make_unique<KnownAddress>(*address);
  return std::make_unique<WorkerLookup>(host, std::move(resolve));
}

}  // namespace platform
