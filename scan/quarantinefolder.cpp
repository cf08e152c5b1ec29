#include "scan/quarantinefolder.h"

namespace scan {

std::string quarantineFolder(const std::string& programDir) { return programDir + "Quarantined"; }

bool createFolders(platform::Files& files, const std::string& folder) {
  // Every backslash ends a folder above this one; the one after a drive ends its root.
  for (size_t slash = folder.find('\\'); slash != std::string::npos;
       slash = folder.find('\\', slash + 1)) {
    const std::string above = folder.substr(0, slash);
    if (slash > 0 && above.back() != ':' && !files.directoryExists(above))
      files.createDirectory(above);
  }
  if (!files.directoryExists(folder)) files.createDirectory(folder);
  return files.directoryExists(folder);
}

}  // namespace scan
