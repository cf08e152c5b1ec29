// Where the file contract runs: an in-memory tree natively, a fresh folder under the temporary
// folder under Windows. Each environment removes what it made when it goes.
#pragma once

#include <memory>
#include <string>

#include "platform/files.h"

namespace contract {

class FilesEnv {
 public:
  FilesEnv();
  ~FilesEnv();
  FilesEnv(const FilesEnv&) = delete;
  FilesEnv& operator=(const FilesEnv&) = delete;

  platform::Files& files();
  // The scratch folder, with a trailing backslash.
  const std::string& scratch() const { return scratch_; }
  // A folder link at link showing the folder target, made the way this platform makes one
  // (under Wine: a Unix symbolic link). False when the platform cannot make one.
  bool makeFolderLink(const std::string& link, const std::string& target);
  // A link at link to the file target, the same way: under Wine it lists as a plain file.
  bool makeFileLink(const std::string& link, const std::string& target);
  // Makes a folder unlistable; false when this platform cannot (a Unix root ignores modes).
  bool makeUnreadable(const std::string& path);
  // Whether a read-only file refuses to be opened for writing. Windows refuses; Wine run by
  // the Unix root cannot, since root writes through any file mode.
  bool readOnlyRefusesWrites();
  // Whether a move refuses to replace a read-only file. Windows refuses; Wine renames over it.
  bool readOnlyTargetRefusesMoves();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
  std::string scratch_;
};

}  // namespace contract
