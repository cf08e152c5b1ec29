#include "cleanup/cleanerfigures.h"

#include <cstdio>

namespace cleanup {

namespace {

// Two decimals with the user's separator; a total beyond any disk still prints in full.
std::string twoDecimals(double value, char decimalSeparator) {
  char text[64];
  std::snprintf(text, sizeof text, "%.2f", value);
  std::string out = text;
  for (char& c : out)
    if (c == '.') c = decimalSeparator;
  return out;
}

}  // namespace

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
  return "There are more than " + groupThousands(kMaxCleanFiles, thousandsSeparator) + " files that match.";
}

std::string groupThousands(uint64_t value, const std::string& separator) {
  std::string digits = std::to_string(value), out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += separator;
    out += digits[i];
  }
  return out;
}

}  // namespace cleanup
