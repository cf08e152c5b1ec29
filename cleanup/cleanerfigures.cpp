#include "cleanup/cleanerfigures.h"

#include "platform/text.h"

namespace cleanup {

using platform::twoDecimals;

std::string readingCaption(uint64_t totalKB, char decimalSeparator) {
  std::string amount;
  if (totalKB < 1025) amount = std::to_string(totalKB) + " KB";
  else if (totalKB < 1048577) amount = twoDecimals(static_cast<double>(totalKB) / 1024, decimalSeparator) + " MB";
  else amount = twoDecimals(static_cast<double>(totalKB) / 1048576, decimalSeparator) + " GB";
  return "Reading files: " + amount;
}

int deletedPercent(int32_t index, int32_t count) {
  if (index <= 0 || count <= 1) return 0;
  return static_cast<int>(int64_t{index} * 100 / (count - 1));
}

int fillWidth(int percent, int barWidth) { return static_cast<int>(int64_t{percent} * barWidth / 100); }

std::string tooManyFilesText(const std::string& thousandsSeparator) {
  return "There are more than " + platform::groupThousands(kMaxCleanFiles, thousandsSeparator) +
         " files that match.";
}

}  // namespace cleanup
