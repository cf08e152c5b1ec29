// The running processes as the process viewer and its report name them, and the version
// strings of a process's file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/processes.h"

namespace process {

// The name of a process whose first module cannot be read.
constexpr const char* kUnknownProcess = "<unknown>";

struct ProcessRow {
  uint32_t pid = 0;
  std::string name;
  platform::ProcessIdentity identity;  // as listed, to end this process and no later one
};

// Every running process, in the order the system enumerates them, named by its first module
// (at most 259 characters) or kUnknownProcess; empty when the enumeration fails.
std::vector<ProcessRow> listProcesses(platform::Processes& processes);

// A finder mask that takes exactly this file name, letter case aside: a "[" in the name stands
// for itself rather than opening a set. (File names hold no "*" or "?".)
std::string exactNameMask(const std::string& name);


// The named string of the file's version resource for its first translation, cut to its first
// 99 characters; empty when the file has no such string.
std::string versionString(platform::Processes& processes, const std::string& path,
                          const std::string& name);

}  // namespace process
