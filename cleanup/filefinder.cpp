#include "cleanup/filefinder.h"

#include <set>
#include <utility>

#include "cleanup/ansi_case.h"
#include "cleanup/wildmask.h"
#include "platform/textcase.h"

namespace cleanup {

namespace {

std::string withSeparator(std::string path) {
  if (path.empty() || path.back() != '\\') path += '\\';
  return path;
}

}  // namespace

// One Execute: the masks compiled and the exclusions folded once, and the pending set.
class TFileFinder::Run {
 public:
  explicit Run(TFileFinder& finder) : f_(finder) {
    for (const auto& m : f_.Masks) masks_.emplace_back(m);
    for (const auto& m : f_.ExcludeMasks) excludeMasks_.emplace_back(m);
    for (int i = 0; i < f_.ExcludePaths.Count(); ++i)
      excludes_.push_back(
          {platform::ansiLower(withSeparator(f_.ExcludePaths[i].path)), f_.ExcludePaths[i].flag});
  }

  // The entry is a copy: a handler may add roots while this one is walked.
  void walkRoot(const TFFPathList::Entry root) {
    // An entry that names nothing must not become the root of the current drive.
    if (root.path.empty()) return;
    std::string folder = withSeparator(f_.files_.fullPath(root.path));
    SearchFolder(folder, f_.OnFileFound && !IsFolderExcluded(folder), root.flag);
    if (!root.flag) return;
    for (;;) {
      pumpMessages();
      if (f_.Stopped || pending_.empty()) break;
      folder = pending_.extract(pending_.begin()).value();
      bool search = !IsFolderExcluded(folder) && f_.OnFileFound;
      SearchFolder(folder, search, true);
    }
    pending_.clear();
  }

 private:
  struct Exclusion {
    std::string folded;
    bool exactOnly;
  };

  void pumpMessages() {
    if (f_.processMessages_) f_.processMessages_();
  }

  bool IsFolderExcluded(const std::string& folder) {
    bool verdict = false;
    if (!excludes_.empty()) {
      std::string f = platform::ansiLower(folder);
      for (const auto& e : excludes_) {
        verdict = f == e.folded || (!e.exactOnly && f.compare(0, e.folded.size(), e.folded) == 0);
        if (verdict) break;
      }
    }
    if (f_.OnFolderCheck) f_.OnFolderCheck(f_, folder, verdict);
    return verdict;
  }

  bool matches(const std::string& name) const {
    bool matched = false;
    for (const auto& m : masks_)
      if ((matched = m.matches(name))) break;
    if (matched)
      for (const auto& m : excludeMasks_)
        if (!(matched = !m.matches(name))) break;
    return matched;
  }

  // One listing of folder does the work of two: its matches are reported when search is set
  // and its subfolders go into the pending set (AddSubfolders) when subfolders is set.
  void SearchFolder(const std::string& folder, bool search, bool subfolders) {
    if (!search && !subfolders) return;
    platform::FindData entry;
    auto find = f_.files_.findFirst(folder + "*.*", entry);
    if (!find) return;
    do {
      pumpMessages();
      if (f_.Stopped) return;
      bool isFolder = entry.isDirectory();
      if (subfolders && isFolder && !entry.isReparsePoint() && !entry.isDotEntry())
        pending_.insert(folder + entry.name + "\\");
      if (search && (!isFolder || f_.IncludeFolders) && matches(entry.name) && !entry.isDotEntry())
        f_.OnFileFound(f_, entry.name, folder, entry);
    } while (!f_.Stopped && find->next(entry));
  }

  TFileFinder& f_;
  std::vector<WildMask> masks_, excludeMasks_;
  std::vector<Exclusion> excludes_;
  std::set<std::string, PathLess> pending_;
};

TFileFinder::TFileFinder(platform::Files& files, std::function<void()> processMessages)
    : files_(files), processMessages_(std::move(processMessages)) {}

void TFileFinder::Execute() {
  Stopped = false;
  struct StopWhenDone {
    bool& stopped;
    ~StopWhenDone() { stopped = true; }
  } guard{Stopped};
  Run run(*this);
  for (int i = 0; i < Paths.Count() && !Stopped; ++i) run.walkRoot(Paths[i]);
}

}  // namespace cleanup
