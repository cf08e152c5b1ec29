// The undo file of a scan: before the scan deletes a registry key or value, it is appended to
// a REGEDIT4 file in the quarantine folder, which puts it back when opened with regedit.
//
// One file per scan, created with the scan's first deletion (so a scan that deletes nothing
// leaves no file) and named after the local date and time then: "Registry backup 2004-07-15
// 14-05-09.reg", with " (2)" and so on when that name is taken.
//
// A key is named as the 64-bit view names it (Registry::pathForRegedit), so that the file brings
// a key of the 32-bit view back to that view, whichever regedit opens it.
//
// A registry link in a key is deleted as the link, and what it leads to stays; the file names
// it in a comment, since the format cannot make a link again.
//
// What cannot be saved whole is not to be deleted: every save answers whether the deletion may
// go ahead. A save fails when the file cannot be created or written, when a name in the key
// cannot be written in the format (see regeditCanName), when a value cannot be read, or when
// the key is nested deeper than the registry allows. After a failed write the file may end in
// the middle of a line, so every later save of the scan fails too.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/registry.h"
#include "platform/system.h"

namespace scan {

// Why the last save failed.
enum class BackupFailure {
  None,
  Unwritable,  // the folder or the file cannot be made, or a write failed
  Unnamable,   // a name holds what the format cannot carry (a line break)
  Unreadable,  // a value cannot be read, the key is gone or nests too deep
};

class RegistryBackup {
 public:
  // folder: where the file goes (created with any missing folders above it when needed).
  RegistryBackup(platform::Files& files, platform::System& system, std::string folder);

  // The key at keyPath below root (names between single backslashes), its values and all the
  // subkeys that can be read; those that cannot be read cannot be deleted either. The key's own
  // name is written as the registry spells it.
  bool saveKey(platform::Registry& registry, platform::RegRoot root, const std::string& keyPath);

  // The value of that name in key, which is open at keyPath below root in registry's view;
  // false also when there is no such value. The name is written as the registry spells it.
  bool saveValue(platform::Registry& registry, platform::RegRoot root, const std::string& keyPath,
                 platform::RegKey& key, const std::string& name);

  // The file written so far; empty while nothing was.
  const std::string& filePath() const { return path_; }
  // The folder the file goes to.
  const std::string& folder() const { return folder_; }
  // Why the last save that failed did; None after a save that worked.
  BackupFailure failure() const { return failure_; }

  // Closes the file; later saves start a new one.
  void close();

 private:
  // Ends a save: true for None, false otherwise, with the reason kept.
  bool saved(BackupFailure failure);
  bool append(const std::string& text);
  bool open();
  // The names of the subkeys ('k') or values ('v') of a key as the registry spells them, listed
  // once per scan: a scan deletes many entries of the same key, and listing a large key (a root
  // holds thousands) for each would take longer than the scan's pause. A name made by others
  // since is written as the list spells it, which regedit takes as the same name.
  const std::vector<std::string>& listed(char kind, platform::RegRoot root,
                                         const std::string& keyPath,
                                         const std::function<std::vector<std::string>()>& list);

  platform::Files& files_;
  platform::System& system_;
  std::string folder_;
  std::string path_;
  std::unique_ptr<platform::OutputFile> file_;
  bool broken_ = false;
  BackupFailure failure_ = BackupFailure::None;
  std::map<std::string, std::vector<std::string>> listed_;
};

}  // namespace scan
