// FolderUpdate: the worker thread that watches the Windows directory (not its subfolders) and
// hands every change to the user-interface thread, waiting there until it has been handled.
//
// Shutdown must never hang on that wait: stop() signals the watch's stop event and also drops a
// hand-off that the user-interface thread has not started yet, so the owner can stop and join
// from the user-interface thread itself while the worker waits for it. A dropped call never
// runs later, so it cannot reach a window that is gone by then.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/sync.h"
#include "platform/thread.h"

namespace monitor {

class FolderUpdate {
 public:
  // Queues a call for the user-interface thread; safe from any thread.
  using Post = std::function<void(std::function<void()>)>;

  struct Handlers {
    // A change in the folder.
    std::function<void()> changed;
    // The folder cannot be watched (any more); the worker ends after this.
    std::function<void()> failed;
  };

  // Starts watching path on a thread of its own. The watch is made here, before the thread
  // runs, so that a stop right after the start is never missed.
  FolderUpdate(platform::Sync& sync, const std::string& path, Post post, Handlers handlers);
  // Stops and joins.
  ~FolderUpdate();
  FolderUpdate(const FolderUpdate&) = delete;
  FolderUpdate& operator=(const FolderUpdate&) = delete;

  // Ends the worker and joins it; a second call does nothing. Not from inside a handler.
  void stop();

  struct Shared;

 private:
  std::unique_ptr<platform::FolderWatch> watch_;
  Post post_;
  Handlers handlers_;
  std::shared_ptr<Shared> shared_;
  platform::Thread thread_;

  void Execute();
  // Runs fn on the user-interface thread and waits for it; false when it was dropped by stop().
  bool handOff(const std::function<void()>& fn);
};

}  // namespace monitor
