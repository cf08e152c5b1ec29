// TFileFinder: walks folder trees and reports every entry whose name matches the masks.
//
// The walk under a root is depth first: the folders still to visit are kept in one set
// ordered by full path (PathLess) that ignores a path already there, and the smallest one is
// taken next, so the order does not depend on the order the file system lists names in.
// Each folder is listed once: the same listing reports its matches and collects its
// subfolders. A subfolder that is a reparse point (a junction or a folder link) is never
// entered, so a walk stays inside the tree it was given and ends.
//
// Pending window messages are processed before every entry of a listing and before every
// folder taken from the set; setting Stopped (from an event or from a message handler) ends
// the run before the next entry or folder.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "cleanup/ffpathlist.h"
#include "platform/files.h"

namespace cleanup {

class TFileFinder {
 public:
  // The entry's name, the folder holding it (ending with "\") and its find record.
  using FileFoundEvent = std::function<void(TFileFinder& sender, const std::string& name,
                                            const std::string& folder, const platform::FindData& entry)>;
  // The exclusion verdict for a folder, which the handler may change.
  using FolderCheckEvent = std::function<void(TFileFinder& sender, const std::string& folder, bool& excluded)>;

  TFileFinder(platform::Files& files, std::function<void()> processMessages);

  FileFoundEvent OnFileFound;
  FolderCheckEvent OnFolderCheck;
  TFFPathList Paths;         // flag set: the folders below the root too
  TFFPathList ExcludePaths;  // flag clear: the folder and all below it; set: that folder only
  std::vector<std::string> Masks;
  std::vector<std::string> ExcludeMasks;
  bool Stopped = true;
  bool IncludeFolders = false;

  // Walks Paths in order. A malformed mask throws MaskError when first used; Stopped is true
  // again however the run ends.
  void Execute();

 private:
  class Run;

  platform::Files& files_;
  std::function<void()> processMessages_;
};

}  // namespace cleanup
