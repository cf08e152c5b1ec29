// The dashboard's arithmetic: memory readout and its glyph cells, disk figures, the name of
// the operating system.
#include <gtest/gtest.h>

#include "app/dashboard.h"
#include "sysinfo/inventoryreport.h"

namespace {

constexpr uint64_t kMb = 1 << 20;

TEST(Memory, NinetySixMegabytesDrawTwoDigitsAGapAndTheUnit) {
  const auto shown = app::memoryReadout(sysinfo::ramInstalledMb(96 * kMb - 1));
  EXPECT_EQ(shown.text, "96 MB");
  const auto cells = app::glyphCells(shown.text);
  EXPECT_EQ(cells[0], "digit_9");
  EXPECT_EQ(cells[1], "digit_6");
  EXPECT_EQ(cells[2], "");
  EXPECT_EQ(cells[3], "mb");
  EXPECT_EQ(app::totalPictureX(96), 614);
}

TEST(Memory, ReadoutFiguresAndTheirPositions) {
  EXPECT_EQ(app::totalPictureX(999), 608);
  EXPECT_EQ(app::totalPictureX(1000), 602);
  EXPECT_EQ(app::usedPictureX(99), 620);
  EXPECT_EQ(app::usedPictureX(100), 614);
  EXPECT_EQ(app::usedPictureX(4096), 608);
  EXPECT_EQ(app::glyphCellX(31, 0), 7);
  EXPECT_EQ(app::glyphCellX(25, 3), 19);
  const auto cells = app::glyphCells("4096 MB");
  EXPECT_EQ(cells[3], "digit_6");
}

TEST(Memory, FiguresBeyondFourCellsOfMegabytesShowWholeGigabytes) {
  EXPECT_EQ(app::memoryReadout(9999).text, "9999 MB");
  const auto big = app::memoryReadout(sysinfo::ramInstalledMb(24107 * kMb));
  EXPECT_EQ(big.text, "24 GB");
  EXPECT_STREQ(big.unit, "gb");
  EXPECT_EQ(app::glyphCells(big.text)[3], "gb");
  EXPECT_EQ(app::totalPictureX(big.figure), 614);
}

TEST(Memory, PercentBandsAndEdges) {
  EXPECT_EQ(app::memoryPercent(1000, 1), 99);
  EXPECT_EQ(app::memoryPercent(0, 0), 0);
  EXPECT_EQ(app::memoryPercent(100, 200), 0);
  EXPECT_STREQ(app::memoryBarPicture(100), "mem_1");
  EXPECT_STREQ(app::memoryBarPicture(101), "mem_2");
  EXPECT_STREQ(app::memoryBarPicture(150), "mem_2");
  EXPECT_STREQ(app::memoryBarPicture(151), "mem_3");
}

TEST(Disk, WholePartAcceptsEitherSeparator) {
  EXPECT_EQ(app::gigabytesText(12'340'000'000ULL, ','), "12,34");
  EXPECT_EQ(app::wholePart("12,34"), 12);
  EXPECT_EQ(app::wholePart("80.03"), 80);
  EXPECT_EQ(app::wholePart("0.00"), 0);
}

TEST(Disk, FillWidthKeepsTheLastBarWhenNothingIsUsed) {
  EXPECT_EQ(app::diskFillWidth(80, 20, 177), 132);  // 75 % of 177
  EXPECT_EQ(app::diskFillWidth(80, 80, 177), -1);
  EXPECT_EQ(app::diskFillWidth(0, 0, 177), -1);
  EXPECT_EQ(app::diskFillWidth(1, 0, 177), 177);
}

TEST(OsName, NamesEachVersionAsTheBadgesExpect) {
  EXPECT_EQ(app::osName({5, 1, 2600, 2, "Service Pack 3"}), "Microsoft Windows XP");
  EXPECT_EQ(app::osName({5, 0, 2195, 2, "Service Pack 4"}), "Microsoft Windows 2000");
  EXPECT_EQ(app::osName({4, 10, 2222, 1, " A "}), "Microsoft Windows 98SE");
  EXPECT_EQ(app::osName({4, 10, 1998, 1, ""}), "Microsoft Windows 98");
  EXPECT_EQ(app::osName({4, 90, 3000, 1, ""}), "Microsoft Windows ME");
  EXPECT_EQ(app::osName({4, 0, 950, 1, " C "}), "Microsoft Windows 95 OSR2");
  EXPECT_EQ(app::osName({4, 0, 1381, 2, ""}), "Microsoft Windows NT 4.0");
  EXPECT_EQ(app::osName({5, 2, 3790, 2, ""}), "Microsoft Windows ");
}

TEST(OsName, SystemsAfterXpHaveTheirNamesAndElevenIsToldByItsBuild) {
  EXPECT_EQ(app::osName({6, 0, 6002, 2, "Service Pack 2"}), "Microsoft Windows Vista");
  EXPECT_EQ(app::osName({6, 1, 7601, 2, "Service Pack 1"}), "Microsoft Windows 7");
  EXPECT_EQ(app::osName({6, 2, 9200, 2, ""}), "Microsoft Windows 8");
  EXPECT_EQ(app::osName({6, 3, 9600, 2, ""}), "Microsoft Windows 8.1");
  EXPECT_EQ(app::osName({10, 0, 19045, 2, ""}), "Microsoft Windows 10");
  EXPECT_EQ(app::osName({10, 0, 21999, 2, ""}), "Microsoft Windows 10");
  EXPECT_EQ(app::osName({10, 0, 22000, 2, ""}), "Microsoft Windows 11");
  EXPECT_EQ(app::osName({6, 4, 9841, 2, ""}), "Microsoft Windows ");
  EXPECT_EQ(app::osName({6, 1, 7601, 1, ""}), "Microsoft Windows ");
}

}  // namespace
