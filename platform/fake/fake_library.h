// Libraries held in memory: a test names the files that load and the resources in each;
// loading anything else fails as a missing file does. Sounds are recorded, not played.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/library.h"
#include "platform/textcase.h"

namespace platform::fake {

// The resources of one library file, by type and name (names without regard to case).
using ResourceMap = std::map<std::pair<ResourceType, std::string>, std::string>;

class FakeLibrary : public Library {
 public:
  FakeLibrary(std::shared_ptr<const ResourceMap> resources, uintptr_t handle,
              std::shared_ptr<int> liveCount);
  ~FakeLibrary() override;
  FakeLibrary(const FakeLibrary&) = delete;
  FakeLibrary& operator=(const FakeLibrary&) = delete;

  std::optional<std::string_view> resource(ResourceType type, const std::string& name) override;
  uintptr_t handle() const override { return handle_; }

 private:
  std::shared_ptr<const ResourceMap> resources_;
  uintptr_t handle_;
  std::shared_ptr<int> liveCount_;
};

class FakeLibraries : public Libraries {
 public:
  // Makes fileName loadable (if it was not) and puts a resource into it.
  void addResource(const std::string& fileName, ResourceType type, const std::string& name,
                   std::string bytes);
  // Makes fileName loadable with no resources.
  void addLibrary(const std::string& fileName);

  std::unique_ptr<Library> load(const std::string& fileName) override;

  std::vector<std::string> loadRequests;  // every name asked for, loaded or not
  // Libraries loaded and not yet released.
  int loadedCount() const { return *liveCount_; }

 private:
  struct File {
    std::shared_ptr<ResourceMap> resources;
    uintptr_t handle;  // the same for every load of the file, as the module stays one
  };
  std::map<std::string, File, AsciiNoCaseLess> files_;
  std::shared_ptr<int> liveCount_ = std::make_shared<int>(0);
  uintptr_t nextHandle_ = 0x10000000;
};

struct PlayedSound {
  uintptr_t library = 0;
  std::string name;
};

class FakeSound : public Sound {
 public:
  std::vector<PlayedSound> played;
  void play(const Library& library, const std::string& name) override {
    played.push_back({library.handle(), name});
  }
};

}  // namespace platform::fake
