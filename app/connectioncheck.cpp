#include "app/connectioncheck.h"

#include "platform/thread.h"

namespace app {

// Shared with the system's answer, which may come on another thread and after this check has
// ended; alive changes on the user-interface thread only.
struct ConnectionCheck::Shared {
  platform::Mutex lock;
  bool alive = true;
  Post post;
  std::function<void(bool)> answered;
};

ConnectionCheck::ConnectionCheck(platform::Net& net, const std::string& url, Post post,
                                 std::function<void(bool)> answered)
    : shared_(std::make_shared<Shared>()) {
  shared_->post = std::move(post);
  shared_->answered = std::move(answered);
  net.checkConnection(url, [shared = shared_](bool reachable) {
    // Held while posting: the window cannot end, taking the queue with it, meanwhile.
    platform::Lock hold(shared->lock);
    if (!shared->alive) return;
    shared->post([shared, reachable] {
      if (shared->alive) shared->answered(reachable);
    });
  });
}

ConnectionCheck::~ConnectionCheck() {
  platform::Lock hold(shared_->lock);
  shared_->alive = false;
  shared_->post = nullptr;
  shared_->answered = nullptr;
}

}  // namespace app
