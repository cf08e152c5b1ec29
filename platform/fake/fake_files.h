// An in-memory file tree that answers like the Windows file API, for tests.
//
// Paths: a drive letter root ("C:\"), backslashes or forward slashes, repeated separators
// collapsed, "." and ".." resolved, relative paths taken from currentDirectory. Names compare
// without regard to letter case and keep the case they were created with.
//
// Listings come in NTFS order: "." and ".." first (except at a drive root), then the names
// in ascending order of their upper-case bytes. Tests that must not rely on any order can ask
// for the reverse one with setListingOrder.
//
// A folder link (a junction or a symbolic link, or what Wine shows for a Unix symbolic link:
// attributes 0x410 and a reparse tag of 0) is listed under its own name with its own
// attributes, but a path through it resolves to the target, as on Windows.
//
// A file link is what Wine shows for a Unix symbolic link to a file: it lists as a plain file
// with the target's record, and every call through its path reaches the target; deleting it by
// name deletes the target.
//
// Handles (find handles, output files, files open for deletion) must not outlive the
// FakeFiles that made them.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/files.h"

namespace platform::fake {

// Reparse tags a test may give a link.
enum : uint32_t {
  kTagWineUnixLink = 0,
  kTagMountPoint = 0xA0000003,
  kTagSymlink = 0xA000000C,
};

class FakeFiles : public Files {
 public:
  enum class ListingOrder { Ntfs, Reverse };

  FakeFiles();
  ~FakeFiles() override;
  FakeFiles(const FakeFiles&) = delete;
  FakeFiles& operator=(const FakeFiles&) = delete;

  // Building a tree. Missing parent folders (and drives) are created. Each returns false when
  // the path is malformed or a file stands where a folder is needed.
  bool addDir(const std::string& path, uint32_t attrs = kAttrDirectory, FileTime time = kDefaultTime);
  bool addFile(const std::string& path, const std::string& content = "",
               uint32_t attrs = kAttrArchive, FileTime time = kDefaultTime);
  // A folder link at path whose listing is that of target; target need not exist yet.
  bool addLink(const std::string& path, const std::string& target, uint32_t tag = kTagWineUnixLink);
  // A file link at path to target; target need not exist yet.
  bool addFileLink(const std::string& path, const std::string& target);
  // The folder can no longer be listed and the file can no longer be read (access denied);
  // its own find record and attributes still show.
  bool makeUnreadable(const std::string& path);
  // The size the file's find record gives from now on, for sizes no test can hold in memory.
  bool setListedSize(const std::string& path, uint64_t size);
  // Removes a file, a folder with everything in it, or a link (not its target).
  bool remove(const std::string& path);

  // The time stamp given to files created or written through the interface.
  void setNow(FileTime now) { now_ = now; }
  void setListingOrder(ListingOrder order) { order_ = order; }
  // Total bytes that writes may still add, as when a disk fills up; unlimited by default.
  void setWriteBudget(std::optional<uint64_t> bytes) { writeBudget_ = bytes; }
  std::string currentDirectory = "C:\\";

  // Introspection for tests.
  std::optional<FindData> record(const std::string& path);
  // Number of findFirst calls that opened a listing, and of live find handles.
  int listingsOpened() const { return listingsOpened_; }
  int openFindHandles() const { return openFindHandles_; }

  // Files
  std::unique_ptr<FindHandle> findFirst(const std::string& pattern, FindData& first) override;
  std::optional<uint32_t> attributes(const std::string& path) override;
  std::optional<std::string> readFile(const std::string& path, uint64_t limit) override;
  bool writeFile(const std::string& path, const std::string& content) override;
  std::unique_ptr<OutputFile> createFile(const std::string& path) override;
  bool deleteFile(const std::string& path) override;
  bool copyFile(const std::string& from, const std::string& to, bool failIfExists) override;
  bool moveFile(const std::string& from, const std::string& to) override;
  bool createDirectory(const std::string& path) override;
  bool setAttributes(const std::string& path, uint32_t attributes) override;
  std::string fullPath(const std::string& path) override;
  bool createNewFile(const std::string& path) override;
  std::string finalPath(const std::string& path) override;
  std::unique_ptr<FileForDeletion> openForDeletion(const std::string& path) override;

  // 2004-01-01 00:00 UTC.
  static constexpr FileTime kDefaultTime = 127173888000000000ull;

 private:
  struct Node;
  class Find;
  class Output;
  class Deletion;
  struct Resolved;

  std::optional<std::vector<std::string>> split(const std::string& path) const;
  Node* walk(const std::vector<std::string>& parts, size_t count, int depth = 0);
  Node* follow(Node* node, int depth = 0);
  Node* lookup(const std::string& path);
  static std::string pathOf(const Node& node);
  Resolved parentOf(const std::string& path);
  Node* create(const std::string& path, bool directory, uint32_t attrs, FileTime time);
  bool consume(uint64_t bytes);
  bool eraseFile(Node* node);

  std::map<std::string, std::shared_ptr<Node>> drives_;  // key: upper-case letter and colon
  FileTime now_ = kDefaultTime;
  ListingOrder order_ = ListingOrder::Ntfs;
  std::optional<uint64_t> writeBudget_;
  int listingsOpened_ = 0;
  int openFindHandles_ = 0;
};

}  // namespace platform::fake
