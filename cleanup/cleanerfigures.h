// What the temporary-file cleaner shows while it works: the amount read so far in its title,
// the percentage deleted and the width of the bar's fill, and the message at its file limit.
#pragma once

#include <cstdint>
#include <string>

namespace cleanup {

// More files than this in one run are not collected.
constexpr int32_t kMaxCleanFiles = 100000;

// "Reading files: " and the total: whole kilobytes up to 1024 KB, then megabytes up to
// 1048576 KB, then gigabytes, with two decimals and the user's decimal separator.
std::string readingCaption(uint64_t totalKB, char decimalSeparator);

// The percentage shown before deleting file `index` of `count`: index * 100 / (count - 1),
// so the first file shows 0 and the last 100; 0 when there is one file only.
int deletedPercent(int32_t index, int32_t count);

// The filled width of a bar `barWidth` pixels wide at `percent`, rounded down.
int fillWidth(int percent, int barWidth);

// "There are more than 100,000 files that match.", grouped with the user's separator.
std::string tooManyFilesText(const std::string& thousandsSeparator);

}  // namespace cleanup
