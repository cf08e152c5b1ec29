#include "scan/scanphases.h"

namespace scan {

const char* phaseCaption(const ScanPhase& phase) {
  return phase.check == PhaseCheck::File ? kFileSystemCaption : kRegistryCaption;
}

std::string shownText(const ScanPhase& phase, const std::string& windowsDir,
                      const std::string& line) {
  if (phase.check == PhaseCheck::File) return windowsDir + "\\" + line;
  return phase.shownBefore + line;
}

std::string itemsScannedText(int32_t itemsScanned) {
  return "Items scanned: " + std::to_string(itemsScanned);
}

std::string infectionsText(int32_t rows) {
  return std::to_string(rows) + " infections were found.";
}

}  // namespace scan
