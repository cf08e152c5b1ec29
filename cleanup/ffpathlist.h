// TFFPathList: folders, each with one flag whose meaning belongs to the list holding it (for
// search roots: walk the subfolders too; for exclusions: that exact folder only).
#pragma once

#include <string>
#include <vector>

namespace cleanup {

class TFFPathList {
 public:
  struct Entry {
    std::string path;
    bool flag = false;
  };

  int Add(const std::string& path) { return Add(path, false); }
  int Add(const std::string& path, bool flag);
  // The object slot of the entry: any non-null object sets the flag.
  int AddObject(const std::string& path, const void* object) { return Add(path, object != nullptr); }

  int Count() const { return static_cast<int>(entries_.size()); }
  const Entry& operator[](int index) const { return entries_.at(static_cast<size_t>(index)); }
  void Clear() { entries_.clear(); }

 private:
  std::vector<Entry> entries_;
};

}  // namespace cleanup
