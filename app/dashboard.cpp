#include "app/dashboard.h"

#include "platform/text.h"

namespace app {

int memoryPercent(uint64_t total, uint64_t available) {
  if (total == 0 || available > total) return 0;
  return static_cast<int>(static_cast<double>(total - available) / static_cast<double>(total) * 100.0);
}

const char* memoryBarPicture(int width) {
  if (width > 150) return "mem_3";
  if (width > 100) return "mem_2";
  return "mem_1";
}

Readout memoryReadout(uint64_t megabytes) {
  if (megabytes < 10000) return Readout{megabytes, std::to_string(megabytes) + " MB", "mb"};
  const uint64_t gigabytes = (megabytes + 512) / 1024;
  return Readout{gigabytes, std::to_string(gigabytes) + " GB", "gb"};
}

std::array<std::string, 4> glyphCells(const std::string& text) {
  std::array<std::string, 4> cells;
  for (size_t i = 0; i < cells.size() && i < text.size(); ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') cells[i] = std::string("digit_") + c;
    else if (c == 'M') cells[i] = "mb";
    else if (c == 'G') cells[i] = "gb";
  }
  return cells;
}

int totalPictureX(uint64_t mb) { return mb >= 1000 ? 602 : mb >= 100 ? 608 : 614; }

int usedPictureX(uint64_t mb) { return mb >= 1000 ? 608 : mb >= 100 ? 614 : 620; }

std::string gigabytesText(uint64_t bytes, char decimalSeparator) {
  return platform::twoDecimals(static_cast<double>(bytes) / 1e9, decimalSeparator);
}

int64_t wholePart(const std::string& text) {
  int64_t v = 0;
  for (char c : text) {
    if (c == ',' || c == '.') break;
    if (c < '0' || c > '9') return 0;
    v = v * 10 + (c - '0');
    if (v > (int64_t(1) << 50)) return 0;
  }
  return v;
}

int diskFillWidth(int64_t wholeTotal, int64_t wholeFree, int barWidth) {
  const int64_t used = wholeTotal - wholeFree;
  if (used <= 0 || wholeTotal <= 0) return -1;
  const int64_t percent = used * 100 / wholeTotal;
  return static_cast<int>(percent * barWidth / 100);
}

std::string processCountCaption(size_t listed) {
  return "Running Processes: " + std::to_string(listed > 0 ? listed - 1 : 0);
}

namespace {

// The systems after XP. Windows 11 kept the version number of 10 and tells itself apart by its
// build. A system reports a version this high only to a program whose manifest names it.
struct LaterNt {
  uint32_t major, minor, fromBuild;
  const char* name;
};
constexpr LaterNt kLaterNt[] = {{6, 0, 0, "Vista"}, {6, 1, 0, "7"},       {6, 2, 0, "8"},
                                {6, 3, 0, "8.1"},   {10, 0, 22000, "11"}, {10, 0, 0, "10"}};

const char* laterNtName(const platform::OsVersion& v) {
  for (const LaterNt& nt : kLaterNt)
    if (v.major == nt.major && v.minor == nt.minor && v.build >= nt.fromBuild) return nt.name;
  return "";
}

}  // namespace

std::string osName(const platform::OsVersion& v) {
  std::string name = "Microsoft Windows ";
  const char sp = v.csd.size() > 1 ? v.csd[1] : '\0';
  switch (v.platformId) {
    case 0:
      return name + "3.1";
    case 1:
      if (v.major == 4 && v.minor == 0) return name + "95 " + (sp == 'C' ? "OSR2" : "");
      if (v.major == 4 && v.minor == 10) return name + "98" + (sp == 'A' ? "SE" : "");
      if (v.major == 4 && v.minor == 90) return name + "ME";
      return name;
    case 2:
      if (v.major == 3) return name + "NT 3.51";
      if (v.major == 4) return name + "NT 4.0";
      if (v.major == 5 && v.minor == 0) return name + "2000";
      if (v.major == 5 && v.minor == 1) return name + "XP";
      return name + laterNtName(v);
    default:
      return name;
  }
}

}  // namespace app
