// The file tree of FakeFiles as the program's code reaches it through FakeServices: every
// call goes to the tree, and each file created, written, copied, moved or deleted wakes the
// folder watches of its folder, as the change notifications of Windows do (FILE_NAME |
// LAST_WRITE; new folders and attribute changes wake nothing). A file deleted through a handle
// opened for deletion wakes them too.
#pragma once

#include "platform/fake/fake_files.h"
#include "platform/fake/fake_sync.h"

namespace platform::fake {

class WatchedFiles : public Files {
 public:
  WatchedFiles(FakeFiles& files, FakeSync& sync) : files_(files), sync_(sync) {}

  std::unique_ptr<FindHandle> findFirst(const std::string& pattern, FindData& first) override {
    return files_.findFirst(pattern, first);
  }
  std::optional<uint32_t> attributes(const std::string& path) override { return files_.attributes(path); }
  std::optional<std::string> readFile(const std::string& path, uint64_t limit) override {
    return files_.readFile(path, limit);
  }
  bool writeFile(const std::string& path, const std::string& content) override {
    return changed(path, files_.writeFile(path, content));
  }
  std::unique_ptr<OutputFile> createFile(const std::string& path) override {
    auto file = files_.createFile(path);
    changed(path, file != nullptr);
    return file;
  }
  bool deleteFile(const std::string& path) override { return changed(path, files_.deleteFile(path)); }
  bool copyFile(const std::string& from, const std::string& to, bool failIfExists) override {
    return changed(to, files_.copyFile(from, to, failIfExists));
  }
  bool moveFile(const std::string& from, const std::string& to) override {
    return changed(to, changed(from, files_.moveFile(from, to)));
  }
  bool createDirectory(const std::string& path) override { return files_.createDirectory(path); }
  bool setAttributes(const std::string& path, uint32_t attributes) override {
    return files_.setAttributes(path, attributes);
  }
  std::string fullPath(const std::string& path) override { return files_.fullPath(path); }
  bool createNewFile(const std::string& path) override {
    return changed(path, files_.createNewFile(path));
  }
  std::string finalPath(const std::string& path) override { return files_.finalPath(path); }
  std::unique_ptr<FileForDeletion> openForDeletion(const std::string& path) override {
    auto file = files_.openForDeletion(path);
    if (!file) return nullptr;
    return std::make_unique<WatchedDeletion>(*this, std::move(file));
  }

 private:
  class WatchedDeletion : public FileForDeletion {
   public:
    WatchedDeletion(WatchedFiles& owner, std::unique_ptr<FileForDeletion> file)
        : owner_(owner), file_(std::move(file)) {}
    std::string finalPath() override { return file_->finalPath(); }
    bool remove() override {
      const std::string where = file_->finalPath();
      return owner_.changed(where, file_->remove());
    }

   private:
    WatchedFiles& owner_;
    std::unique_ptr<FileForDeletion> file_;
  };

  bool changed(const std::string& path, bool done) {
    if (done) sync_.fileChanged(files_.fullPath(path));
    return done;
  }

  FakeFiles& files_;
  FakeSync& sync_;
};

}  // namespace platform::fake
