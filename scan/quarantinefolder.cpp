#include "scan/quarantinefolder.h"

namespace scan {

std::string quarantineFolder(const std::string& programDir) { return programDir + "Quarantined"; }

}  // namespace scan
