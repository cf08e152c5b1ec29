#include "platform/fake/fake_sync.h"

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <vector>

#include "platform/textcase.h"

namespace platform::fake {
namespace {

struct WatchFlags {
  std::string folder;  // as folderKey gives it
  bool changed = false;
  bool stopped = false;  // the auto-reset stop event
  bool failed = false;
  int waiting = 0;
};

// Folders compare without regard to case and to a trailing backslash.
std::string folderKey(std::string folder) {
  while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
  return asciiLower(folder);
}

}  // namespace

struct FakeSync::State {
  mutable std::mutex lock;
  std::condition_variable wake;
  std::map<std::string, int> mutexHandles;  // kernel object names are case-sensitive
  std::vector<std::weak_ptr<WatchFlags>> watches;

  template <typename Fn>
  void forFolder(const std::string& folder, Fn fn) {
    const std::string key = folderKey(folder);
    std::lock_guard<std::mutex> hold(lock);
    for (const auto& weak : watches)
      if (auto w = weak.lock(); w && w->folder == key) fn(*w);
    wake.notify_all();
  }
};

namespace {

using State = FakeSync::State;

class FakeMutex : public NamedMutex {
 public:
  FakeMutex(std::shared_ptr<State> state, std::string name) : state_(std::move(state)), name_(std::move(name)) {
    std::lock_guard<std::mutex> hold(state_->lock);
    existed_ = state_->mutexHandles[name_]++ > 0;
  }
  ~FakeMutex() override {
    std::lock_guard<std::mutex> hold(state_->lock);
    if (--state_->mutexHandles[name_] == 0) state_->mutexHandles.erase(name_);
  }
  FakeMutex(const FakeMutex&) = delete;
  FakeMutex& operator=(const FakeMutex&) = delete;

  bool alreadyExisted() const override { return existed_; }

 private:
  std::shared_ptr<State> state_;
  std::string name_;
  bool existed_ = false;
};

class FakeWatch : public FolderWatch {
 public:
  FakeWatch(std::shared_ptr<State> state, std::shared_ptr<WatchFlags> flags)
      : state_(std::move(state)), flags_(std::move(flags)) {}

  // A change wins over a stop that came at the same time, as the change notification is the
  // first handle of the wait on Windows.
  Wake wait() override {
    std::unique_lock<std::mutex> hold(state_->lock);
    ++flags_->waiting;
    state_->wake.notify_all();
    state_->wake.wait(hold, [&] { return flags_->failed || flags_->changed || flags_->stopped; });
    --flags_->waiting;
    if (flags_->failed) return Wake::Failed;
    if (flags_->changed) return Wake::Change;
    flags_->stopped = false;
    return Wake::Stopped;
  }

  bool rearm() override {
    std::lock_guard<std::mutex> hold(state_->lock);
    if (flags_->failed) return false;
    flags_->changed = false;
    return true;
  }

  void stop() override {
    std::lock_guard<std::mutex> hold(state_->lock);
    flags_->stopped = true;
    state_->wake.notify_all();
  }

 private:
  std::shared_ptr<State> state_;
  std::shared_ptr<WatchFlags> flags_;
};

std::string parentFolder(const std::string& path) {
  const auto slash = path.find_last_of('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace

FakeSync::FakeSync() : folderExists([](const std::string&) { return true; }), state_(std::make_shared<State>()) {}

FakeSync::~FakeSync() = default;

std::unique_ptr<NamedMutex> FakeSync::createMutex(const std::string& name) {
  return std::make_unique<FakeMutex>(state_, name);
}

std::unique_ptr<FolderWatch> FakeSync::watchFolder(const std::string& path) {
  auto flags = std::make_shared<WatchFlags>();
  flags->folder = folderKey(path);
  flags->failed = !folderExists(path);
  std::lock_guard<std::mutex> hold(state_->lock);
  std::vector<std::weak_ptr<WatchFlags>> live;
  for (auto& weak : state_->watches)
    if (!weak.expired()) live.push_back(std::move(weak));
  live.push_back(flags);
  state_->watches = std::move(live);
  return std::make_unique<FakeWatch>(state_, std::move(flags));
}

void FakeSync::fileChanged(const std::string& filePath) { signalFolder(parentFolder(filePath)); }

void FakeSync::signalFolder(const std::string& folder) {
  state_->forFolder(folder, [](WatchFlags& w) { w.changed = true; });
}

void FakeSync::failFolder(const std::string& folder) {
  state_->forFolder(folder, [](WatchFlags& w) { w.failed = true; });
}

bool FakeSync::awaitWaiter(const std::string& folder, uint32_t ms) {
  const std::string key = folderKey(folder);
  std::unique_lock<std::mutex> hold(state_->lock);
  return state_->wake.wait_for(hold, std::chrono::milliseconds(ms), [&] {
    for (const auto& weak : state_->watches)
      if (auto w = weak.lock(); w && w->folder == key && w->waiting > 0 && !w->changed && !w->stopped && !w->failed)
        return true;
    return false;
  });
}

bool FakeSync::mutexExists(const std::string& name) const {
  std::lock_guard<std::mutex> hold(state_->lock);
  return state_->mutexHandles.count(name) > 0;
}

}  // namespace platform::fake
