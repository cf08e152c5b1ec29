// File time stamps: a file's last-write time in the system's short forms, and the times and
// paths that have no stamp.
#include "frame/timestamp.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_files.h"
#include "platform/fake/fake_system.h"

namespace {

using platform::fake::FakeFiles;

constexpr platform::FileTime kMinute = 600000000ull;
constexpr platform::FileTime kMidnight2004 = FakeFiles::kDefaultTime;  // 2004-01-01 00:00 UTC

TEST(FileTimeStamp, ShortDateTwoBlanksShortTimeInLocalTime) {
  platform::fake::FakeSystem system;
  EXPECT_EQ(frame::fileTimeStamp(system, kMidnight2004), "1/1/2004  12:00 AM");
  EXPECT_EQ(frame::fileTimeStamp(system, kMidnight2004 + 12 * 60 * kMinute + 59),
            "1/1/2004  12:00 PM");
  EXPECT_EQ(frame::fileTimeStamp(system, kMidnight2004 - kMinute), "12/31/2003  11:59 PM");
  system.utcOffsetMinutes = -5 * 60;  // midnight in UTC is the evening before here
  EXPECT_EQ(frame::fileTimeStamp(system, kMidnight2004), "12/31/2003  7:00 PM");
}

TEST(FileTimeStamp, TimesWithoutAStampAreEmpty) {
  platform::fake::FakeSystem system;
  EXPECT_EQ(frame::fileTimeStamp(system, 0), "");  // no time kept
  EXPECT_EQ(frame::fileTimeStamp(system, 1), "1/1/1601  12:00 AM");
  EXPECT_EQ(frame::fileTimeStamp(system, 0x8000000000000000ull), "");
  EXPECT_EQ(frame::fileTimeStamp(system, ~0ull), "");
  system.utcOffsetMinutes = -60;
  EXPECT_EQ(frame::fileTimeStamp(system, 30 * kMinute), "");  // local time before 1601
}

TEST(FileTimeStamp, OfAFileByPath) {
  platform::fake::FakeSystem system;
  FakeFiles files;
  files.addFile("C:\\WINDOWS\\evil.exe", "x", platform::kAttrArchive, kMidnight2004 + 75 * kMinute);
  files.addFile("C:\\WINDOWS\\zero.dll", "x", platform::kAttrArchive, 0);
  files.addDir("C:\\WINDOWS\\sub", platform::kAttrDirectory, kMidnight2004);
  EXPECT_EQ(frame::fileTimeStamp(files, system, "C:\\windows\\EVIL.exe"), "1/1/2004  1:15 AM");
  EXPECT_EQ(frame::fileTimeStamp(files, system, "C:\\WINDOWS\\sub"), "1/1/2004  12:00 AM");
  EXPECT_EQ(frame::fileTimeStamp(files, system, "C:\\WINDOWS\\zero.dll"), "");
  EXPECT_EQ(frame::fileTimeStamp(files, system, "C:\\WINDOWS\\missing.exe"), "");
  EXPECT_EQ(frame::fileTimeStamp(files, system, "C:\\WINDOWS\\*.exe"), "");
  EXPECT_EQ(frame::fileTimeStamp(files, system, "C:\\WINDOWS\\evil.ex?"), "");
  EXPECT_EQ(frame::fileTimeStamp(files, system, ""), "");
}

}  // namespace
