#include "platform/fake/fake_library.h"

namespace platform::fake {

FakeLibrary::FakeLibrary(std::shared_ptr<const ResourceMap> resources, uintptr_t handle,
                         std::shared_ptr<int> liveCount)
    : resources_(std::move(resources)), handle_(handle), liveCount_(std::move(liveCount)) {
  ++*liveCount_;
}

FakeLibrary::~FakeLibrary() { --*liveCount_; }

std::optional<std::string_view> FakeLibrary::resource(ResourceType type, const std::string& name) {
  auto it = resources_->find({type, asciiLower(name)});
  if (it == resources_->end()) return std::nullopt;
  return it->second;
}

void FakeLibraries::addResource(const std::string& fileName, ResourceType type,
                                const std::string& name, std::string bytes) {
  addLibrary(fileName);
  (*files_[fileName].resources)[{type, asciiLower(name)}] = std::move(bytes);
}

void FakeLibraries::addLibrary(const std::string& fileName) {
  if (files_.count(fileName)) return;
  nextHandle_ += 0x10000;
  files_[fileName] = File{std::make_shared<ResourceMap>(), nextHandle_};
}

std::unique_ptr<Library> FakeLibraries::load(const std::string& fileName) {
  loadRequests.push_back(fileName);
  auto it = files_.find(fileName);
  if (it == files_.end()) return nullptr;
  return std::make_unique<FakeLibrary>(it->second.resources, it->second.handle, liveCount_);
}

}  // namespace platform::fake
