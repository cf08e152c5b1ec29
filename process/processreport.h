// The plain-text report of the running processes and of the value names in the Run keys, for
// the user to copy into a forum post.
#pragma once

#include <string>
#include <vector>

#include "platform/processes.h"
#include "platform/registry.h"

namespace process {

// The report, line by line: the processes by name, then the value names of the Run keys, each
// after the root and label of its key. When the processes cannot be enumerated, the report ends
// after its first hyphen line.
std::vector<std::string> processReport(platform::Processes& processes,
                                       platform::Registry& registry);

}  // namespace process
