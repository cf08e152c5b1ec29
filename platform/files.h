// Files and folders as the program sees them through the Windows file API: find records,
// existence tests, whole-file reads and writes, copies, moves and deletions. Paths are ANSI text
// with backslashes; names compare without regard to letter case.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace platform {

// Attribute bits of a find record (the Windows values).
enum : uint32_t {
  kAttrReadOnly = 0x1,
  kAttrHidden = 0x2,
  kAttrSystem = 0x4,
  kAttrDirectory = 0x10,
  kAttrArchive = 0x20,
  kAttrNormal = 0x80,
  kAttrReparsePoint = 0x400,
};

// 100-nanosecond intervals since 1601-01-01 UTC, as Windows keeps file times.
using FileTime = uint64_t;

// One entry of a folder listing: the fields of WIN32_FIND_DATA.
struct FindData {
  uint32_t attributes = 0;
  FileTime creationTime = 0;
  FileTime lastAccessTime = 0;
  FileTime lastWriteTime = 0;
  uint64_t size = 0;
  uint32_t reserved0 = 0;  // the reparse tag, for reparse points
  std::string name;
  std::string alternateName;

  bool isDirectory() const { return (attributes & kAttrDirectory) != 0; }
  bool isReparsePoint() const { return (attributes & kAttrReparsePoint) != 0; }
  bool isDotEntry() const { return name == "." || name == ".."; }
};

// An open folder search (FindFirstFileA/FindNextFileA/FindClose); closes itself.
class FindHandle {
 public:
  virtual ~FindHandle() = default;
  // The next entry after the first; false when the listing is done.
  virtual bool next(FindData& out) = 0;
};

// A file being written; closed on destruction. A write that fails leaves the file as far as
// it got; close() reports whether everything reached the file.
class OutputFile {
 public:
  virtual ~OutputFile() = default;
  virtual bool write(const char* data, size_t size) = 0;
  virtual bool close() = 0;
};

// A file held open for deletion, so that the file checked is the file that goes.
class FileForDeletion {
 public:
  virtual ~FileForDeletion() = default;
  // Where the open file really lies (see Files::finalPath).
  virtual std::string finalPath() = 0;
  // Deletes the file (it goes when the handle closes); false when the system refuses, as it
  // does for a read-only file.
  virtual bool remove() = 0;
};

class Files {
 public:
  virtual ~Files() = default;

  // FindFirstFileA: the pattern is a folder, a backslash and a mask ("C:\dir\*.*").
  // Fills the first entry; null when nothing matches or the folder cannot be read.
  virtual std::unique_ptr<FindHandle> findFirst(const std::string& pattern, FindData& first) = 0;

  // Attributes of a path (GetFileAttributesA); nullopt when it does not exist.
  virtual std::optional<uint32_t> attributes(const std::string& path) = 0;
  bool fileExists(const std::string& path) {
    auto a = attributes(path);
    return a && !(*a & kAttrDirectory);
  }
  bool directoryExists(const std::string& path) {
    auto a = attributes(path);
    return a && (*a & kAttrDirectory);
  }

  // The whole content of a file, or nullopt when it cannot be opened or is larger than limit.
  virtual std::optional<std::string> readFile(const std::string& path, uint64_t limit) = 0;
  // Creates or replaces a file with the given content.
  virtual bool writeFile(const std::string& path, const std::string& content) = 0;
  // Creates or replaces a file for writing in pieces; null when it cannot be created.
  virtual std::unique_ptr<OutputFile> createFile(const std::string& path) = 0;

  virtual bool deleteFile(const std::string& path) = 0;
  // CopyFileA: failIfExists false replaces an existing target.
  virtual bool copyFile(const std::string& from, const std::string& to, bool failIfExists) = 0;
  // MoveFileExA with MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH: a file moves within
  // its drive, over an existing file in one step, and keeps its own attributes and times.
  // Refused when either file is open or the target is a folder; Windows also refuses a
  // read-only target, which Wine replaces.
  virtual bool moveFile(const std::string& from, const std::string& to) = 0;
  virtual bool createDirectory(const std::string& path) = 0;
  virtual bool setAttributes(const std::string& path, uint32_t attributes) = 0;
  // GetFullPathNameA: the path made absolute against the current directory, "." and ".."
  // resolved, a trailing backslash kept. Stores without a current directory keep the path.
  virtual std::string fullPath(const std::string& path) { return path; }

  // CreateFileA with CREATE_NEW: an empty file where nothing of that name is; false when
  // something is there already or the file cannot be made. Stores that cannot promise to
  // leave an existing file alone make nothing.
  virtual bool createNewFile(const std::string& /*path*/) { return false; }

  // Deleting only inside a folder. A listing cannot always tell a link from what it shows:
  // under Wine a Unix symbolic link to a file lists as a plain file, and deleting it by name
  // deletes its target, wherever that lies. These calls say where a file really is.

  // The path of what an opened path really reaches, links followed as the system follows them
  // when it opens the path (GetFinalPathNameByHandle): drive-letter form, no "\\?\" prefix,
  // no trailing backslash but at a drive root. Empty when it cannot be opened; a store that
  // cannot tell gives empty, so nothing is deleted through it.
  virtual std::string finalPath(const std::string&) { return std::string(); }
  // Opens a file for deletion: delete access, every sharing mode, and a link itself rather than
  // its target wherever the system tells the two apart. Null when the file is missing, is a
  // folder, or is held open by someone who does not share deletion.
  virtual std::unique_ptr<FileForDeletion> openForDeletion(const std::string&) { return nullptr; }
};

}  // namespace platform
