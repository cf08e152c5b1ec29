// The scan log that "Save log" writes: the paths of the files found, one per line.
#pragma once

#include <string>
#include <vector>

#include "platform/files.h"

namespace scan {

// Each path followed by CR LF, in the order found.
std::string scanLogText(const std::vector<std::string>& detectedFiles);

// Writes the log to path, replacing a file there (the save dialog has asked); false when it
// could not be written whole, which the window reports with scanLogError.
bool saveScanLog(platform::Files& files, const std::string& path,
                 const std::vector<std::string>& detectedFiles);
std::string scanLogError(const std::string& path);

}  // namespace scan
