// The folder beside the program file that keeps what the scan took away: quarantined files
// and the registry backups.
#pragma once

#include <string>

namespace scan {

// programDir ends with a backslash; the folder's path has none.
std::string quarantineFolder(const std::string& programDir);

}  // namespace scan
