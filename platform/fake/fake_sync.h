// Named mutexes and folder watches inside one process. Mutex names are shared by everything
// created through the same FakeSync, so a test plays the second copy of the program with a
// second createMutex. Folder changes come from the test (or from files written through
// FakeServices), and a watch can be made to fail; waits block for real, so a watcher thread
// behaves as it does on Windows.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/sync.h"

namespace platform::fake {

class FakeSync : public Sync {
 public:
  FakeSync();
  ~FakeSync() override;
  FakeSync(const FakeSync&) = delete;
  FakeSync& operator=(const FakeSync&) = delete;

  std::unique_ptr<NamedMutex> createMutex(const std::string& name) override;
  std::unique_ptr<FolderWatch> watchFolder(const std::string& path) override;

  // Which folders can be watched; every path until a test or FakeServices says otherwise.
  std::function<bool(const std::string& folder)> folderExists;

  // A file was created, written or deleted at filePath: wakes the watches of its folder only.
  void fileChanged(const std::string& filePath);
  // Wakes the watches of folder.
  void signalFolder(const std::string& folder);
  // Every wait of the watches of folder open now fails from now on.
  void failFolder(const std::string& folder);
  // Blocks until a watch of folder is blocked in wait() with nothing yet to wake it, for at
  // most ms of real time.
  bool awaitWaiter(const std::string& folder, uint32_t ms);
  // Whether a handle to the mutex of this name is open.
  bool mutexExists(const std::string& name) const;

  struct State;

 private:
  std::shared_ptr<State> state_;
};

}  // namespace platform::fake
