// Where a folder really lies, and the one way to delete a file that must be inside it.
//
// A listing cannot always tell a link from what it shows: under Wine a Unix symbolic link to a
// file lists as a plain file, and deleting it by name deletes its target, wherever that lies.
// So the file is opened for deletion, where it really lies is checked against the rule the
// caller names, and it is deleted through the handle that was checked.
#pragma once

#include <string>

#include "platform/files.h"

namespace platform {

// What a deletion below a folder may reach.
enum class DeletionRule {
  // Any file that really lies below the folder, wherever the path led: the cleaner's, which
  // empties a folder of its own.
  AnyFileBelow,
  // Only the file the path names, where the path really leads: a file the user or a list chose
  // by its path. A link goes as the link, or not at all, never as what it points to, even
  // when that lies below the folder too.
  OnlyTheNamedFile,
};

class RealFolder {
 public:
  // From what Files::finalPath gave for the folder; an empty one holds nothing.
  explicit RealFolder(const std::string& finalPath);
  static RealFolder of(Files& files, const std::string& folder) {
    return RealFolder(files.finalPath(folder));
  }

  // Where the folder really lies, without regard to case, with a trailing backslash; empty
  // when that could not be told.
  const std::string& folded() const { return folded_; }

  // Deletes a file that really lies below the folder, as the rule allows; false, and nothing
  // deleted, for a file that lies elsewhere or cannot be told, and for one the system will not
  // delete (missing, read-only, in use).
  bool deleteFile(Files& files, const std::string& path, DeletionRule rule) const;

 private:
  std::string folded_;
};

}  // namespace platform
