#include "monitor/folderupdate.h"

#include "platform/thread.h"

namespace monitor {

struct FolderUpdate::Shared {
  platform::Mutex lock;
  platform::Condition wake;
  bool stopping = false;
};

namespace {

// One hand-off: started on the user-interface thread, finished there.
struct Call {
  bool running = false;
  bool done = false;
};

}  // namespace

FolderUpdate::FolderUpdate(platform::Sync& sync, const std::string& path, Post post,
                           Handlers handlers)
    : watch_(sync.watchFolder(path)),
      post_(std::move(post)),
      handlers_(std::move(handlers)),
      shared_(std::make_shared<Shared>()) {
  thread_ = platform::Thread([this] { Execute(); });
}

FolderUpdate::~FolderUpdate() { stop(); }

void FolderUpdate::stop() {
  {
    platform::Lock hold(shared_->lock);
    shared_->stopping = true;
    shared_->wake.notifyAll();
  }
  watch_->stop();
  if (thread_.joinable()) thread_.join();
}

void FolderUpdate::Execute() {
  using Wake = platform::FolderWatch::Wake;
  while (true) {
    const Wake wake = watch_->wait();
    if (wake == Wake::Stopped) return;
    if (wake == Wake::Failed) {
      handOff(handlers_.failed);
      return;
    }
    if (!handOff(handlers_.changed)) return;
    // A notification that cannot be re-armed would wake every wait at once from now on.
    if (!watch_->rearm()) {
      handOff(handlers_.failed);
      return;
    }
  }
}

bool FolderUpdate::handOff(const std::function<void()>& fn) {
  auto call = std::make_shared<Call>();
  std::shared_ptr<Shared> shared = shared_;
  {
    platform::Lock hold(shared->lock);
    if (shared->stopping) return false;
  }
  post_([shared, call, fn] {
    {
      platform::Lock hold(shared->lock);
      if (shared->stopping) return;
      call->running = true;
    }
    // Finished even when fn throws, so the worker never waits for a call that has ended.
    struct Finish {
      Shared& s;
      Call& c;
      ~Finish() {
        platform::Lock hold(s.lock);
        c.running = false;
        c.done = true;
        s.wake.notifyAll();
      }
    } finish{*shared, *call};
    fn();
  });
  platform::Lock hold(shared->lock);
  shared->wake.wait(hold, [&] { return call->done || (shared->stopping && !call->running); });
  return call->done;
}

}  // namespace monitor
