// Files kept in memory for tests that only write whole files and read them back; the other
// operations of the interface find nothing and do nothing.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "platform/files.h"

namespace testfiles {

class MemoryFiles : public platform::Files {
 public:
  std::map<std::string, std::string> content;
  bool refuseCreate = false;
  bool failWrites = false;

  std::unique_ptr<platform::FindHandle> findFirst(const std::string&, platform::FindData&) override {
    return nullptr;
  }
  std::optional<uint32_t> attributes(const std::string& path) override {
    if (!content.count(path)) return std::nullopt;
    return platform::kAttrArchive;
  }
  std::optional<std::string> readFile(const std::string& path, uint64_t limit) override {
    auto it = content.find(path);
    if (it == content.end() || it->second.size() > limit) return std::nullopt;
    return it->second;
  }
  bool writeFile(const std::string& path, const std::string& text) override {
    content[path] = text;
    return true;
  }
  std::unique_ptr<platform::OutputFile> createFile(const std::string& path) override {
    if (refuseCreate) return nullptr;
    content[path].clear();
    return std::make_unique<Output>(content[path], failWrites);
  }
  bool deleteFile(const std::string& path) override { return content.erase(path) > 0; }
  bool copyFile(const std::string&, const std::string&, bool) override { return false; }
  bool createDirectory(const std::string&) override { return false; }
  bool setAttributes(const std::string&, uint32_t) override { return false; }

 private:
  class Output : public platform::OutputFile {
   public:
    Output(std::string& target, bool fail) : target_(target), fail_(fail) {}
    bool write(const char* data, size_t size) override {
      if (fail_) return false;
      target_.append(data, size);
      return true;
    }
    bool close() override { return !fail_; }

   private:
    std::string& target_;
    bool fail_;
  };
};

}  // namespace testfiles
