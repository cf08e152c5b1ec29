// A folder the cleaner empties, and the only way it deletes a file: nothing outside the folder
// can go, whatever the walk reported.
//
// Two checks stand before every deletion. The path itself must name something below the
// folder, step by step, with no "." or ".." step, no stream, no other drive. Then the file
// must really lie below where the folder really lies (platform::RealFolder), which a listing
// alone cannot tell under Wine.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/realfolder.h"

namespace cleanup {

class CleanRoot {
 public:
  // The folder to empty, or nothing when it must not be emptied: an empty path, a lone "\", a
  // drive or share root, a folder that is one of the protected folders (the program's
  // directory, the user's profile) or holds one, a folder that is one of the closed folders (the
  // Windows directory), holds one or lies inside one, each whether by its path or where it
  // really lies, and a folder that does not exist.
  static std::optional<CleanRoot> open(platform::Files& files, const std::string& folder,
                                       const std::vector<std::string>& protectedFolders,
                                       const std::vector<std::string>& closedFolders);

  // The folder's full path, with a trailing backslash: the walk starts here.
  const std::string& path() const { return path_; }

  // Whether a path names something strictly below the folder by its text alone.
  bool holds(const std::string& path) const;

  // Deletes a file below the folder; false, and nothing deleted, for a path it does not hold,
  // a file that really lies elsewhere, and a file the system will not delete (missing,
  // read-only, in use).
  bool deleteFile(platform::Files& files, const std::string& path) const;

 private:
  CleanRoot(std::string path, const std::string& finalPath);

  std::string path_;
  std::string foldedPath_;  // path_ without regard to case
  platform::RealFolder real_;
};

}  // namespace cleanup
