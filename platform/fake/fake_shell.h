// The shell as a recorder: every open request and every emptying of the recycle bins is kept
// for the test to read, and either can be made to fail. A folder listing is the one a test
// put in, or else what files holds, presented as the shell does (see listFolder).
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/shell.h"
#include "platform/textcase.h"

namespace platform::fake {

struct ShellRequest {
  uintptr_t owner = 0;
  std::string verb;
  std::string target;
};

class FakeShell : public Shell {
 public:
  std::vector<ShellRequest> requests;  // failed ones too
  bool executeFails = false;  // every request fails, as without a shell
  std::vector<std::string> emptiedBins;  // the root of each request, "" for all drives
  bool emptyFails = false;
  // By folder (without a trailing backslash), without regard to case.
  std::map<std::string, std::vector<ShellItem>, AsciiNoCaseLess> folders;
  // Icon indices by path, without regard to case.
  std::map<std::string, int, AsciiNoCaseLess> icons;
  // The file tree behind the shell, if any: a target that is a local path ("C:\...") must
  // exist there to open, and folders not in `folders` are listed from it.
  Files* files = nullptr;

  bool execute(uintptr_t owner, const std::string& verb, const std::string& target) override;
  bool emptyRecycleBin(const std::string& root) override;
  // From the file tree: every entry but "." and "..", named as it is stored, folders first and
  // then by name without regard to case; ghosted when hidden, a link when it ends in ".lnk";
  // icon 2 for folders and 0 for files (what Wine gives plain ones), nothing shared.
  std::vector<ShellItem> listFolder(const std::string& folder) override;
  // From `icons`, or else as listFolder gives it for what the file tree holds.
  std::optional<int> iconIndexOf(const std::string& path) override;
};

}  // namespace platform::fake
