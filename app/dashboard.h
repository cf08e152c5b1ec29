// The arithmetic of the main window's dashboard, apart from any window: memory figures and
// their glyph cells, disk figures and the disk bar, and the operating system's name.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/system.h"

namespace app {

// Percent of physical memory in use, truncated; 0 when the total is unknown.
int memoryPercent(uint64_t total, uint64_t available);
// The memory bar's picture for its width (twice the percentage).
const char* memoryBarPicture(int width);
// What a readout shows for a number of megabytes: "<n> MB", or from 10000 MB on, which four
// glyph cells cannot hold, whole gigabytes as "<n> GB" with the "gb" unit picture.
struct Readout {
  uint64_t figure = 0;
  std::string text;
  const char* unit = "mb";
};
Readout memoryReadout(uint64_t megabytes);

// The four glyph cells drawn for a readout text: its first four characters, as skin names;
// empty for a character without a glyph (an empty 6-pixel cell).
std::array<std::string, 4> glyphCells(const std::string& text);
// x of each cell in a picture of the given width.
inline int glyphCellX(int pictureWidth, int cell) { return pictureWidth - 24 + 6 * cell; }
// Left edge of the total and used pictures for the figure shown, so the last digit stays next
// to the unit glyph.
int totalPictureX(uint64_t mb);
int usedPictureX(uint64_t mb);

// Gigabytes of 10^9 bytes with two decimals and the locale's separator.
std::string gigabytesText(uint64_t bytes, char decimalSeparator);
// The whole-number part of such a text: its characters up to the first "," or ".".
int64_t wholePart(const std::string& text);
// Width of the disk bar's fill, or -1 when the used figure is not positive (keep the last).
int diskFillWidth(int64_t wholeTotal, int64_t wholeFree, int barWidth);

// "Running Processes: " and the count of that many listed processes, less the idle process
// that every list of them holds.
std::string processCountCaption(size_t listed);

// "Microsoft Windows " and the version's name: "XP", "2000", "98", "98SE", "ME", ...
std::string osName(const platform::OsVersion& v);

}  // namespace app
