#include "scan/scanlog.h"

namespace scan {

std::string scanLogText(const std::vector<std::string>& detectedFiles) {
  std::string text;
  for (const auto& path : detectedFiles) text += path + "\r\n";
  return text;
}

bool saveScanLog(platform::Files& files, const std::string& path,
                 const std::vector<std::string>& detectedFiles) {
  return files.writeFile(path, scanLogText(detectedFiles));
}

std::string scanLogError(const std::string& path) {
  return "The scan log could not be written to " + path + ".";
}

}  // namespace scan
