// Fitting paths into a label's width: when the path is kept, which folders give way and in
// what order, and paths with nothing to give up.
#include "frame/pathtext.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Five pixels a character; the texts measured are remembered.
struct Measure {
  std::vector<std::string> asked;
  int operator()(const std::string& text) {
    asked.push_back(text);
    return static_cast<int>(text.size()) * 5;
  }
};

std::string fit(const std::string& path, int width) {
  Measure m;
  return frame::fitPathToWidth(path, width, std::ref(m));
}

int widthOf(const std::string& text) { return static_cast<int>(text.size()) * 5; }

TEST(FitPathToWidth, APathThatFitsExactlyStaysWhole) {
  const std::string path = "C:\\Program Files\\Vendor\\x.exe";
  EXPECT_EQ(fit(path, widthOf(path)), path);
  EXPECT_EQ(fit(path, widthOf(path) + 100), path);
  EXPECT_NE(fit(path, widthOf(path) - 1), path);
}

TEST(FitPathToWidth, FoldersGiveWayOneAtATimeFromTheLeft) {
  const std::string path = "C:\\Program Files\\Vendor\\Tool\\x.exe";
  const std::string one = "C:\\...\\Vendor\\Tool\\x.exe";
  const std::string two = "C:\\...\\Tool\\x.exe";
  const std::string all = "C:\\...\\x.exe";
  EXPECT_EQ(fit(path, widthOf(path) - 1), one);
  EXPECT_EQ(fit(path, widthOf(one)), one);
  EXPECT_EQ(fit(path, widthOf(one) - 1), two);
  EXPECT_EQ(fit(path, widthOf(two) - 1), all);
  // No folder is left to give up: then the drive goes, and last the name stands alone.
  EXPECT_EQ(fit(path, widthOf(all) - 1), "...\\x.exe");
  EXPECT_EQ(fit(path, widthOf("...\\x.exe")), "...\\x.exe");
  EXPECT_EQ(fit(path, widthOf("...\\x.exe") - 1), "x.exe");
  EXPECT_EQ(fit(path, 0), "x.exe");

  Measure m;
  frame::fitPathToWidth(path, widthOf(two), std::ref(m));
  EXPECT_EQ(m.asked, (std::vector<std::string>{path, one, two}));
}

TEST(FitPathToWidth, RegistryPathsKeepTheirRoot) {
  const std::string key =
      "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Internet Explorer\\Toolbar\\Bar";
  EXPECT_EQ(fit(key, widthOf("HKEY_LOCAL_MACHINE\\...\\Toolbar\\Bar")),
            "HKEY_LOCAL_MACHINE\\...\\Toolbar\\Bar");
  // A key line carries its own leading backslash after the root's name.
  EXPECT_EQ(fit("HKEY_CLASSES_ROOT\\\\CLSID\\x", widthOf("HKEY_CLASSES_ROOT\\...\\x")),
            "HKEY_CLASSES_ROOT\\...\\x");
}

TEST(FitPathToWidth, PathsWithoutFoldersKeepWhatTheyCan) {
  for (const std::string path : {"C:\\", "file.txt", "", "Checking Runtime Settings For Trojans: x"})
    EXPECT_EQ(fit(path, 10), path) << path;
  EXPECT_EQ(fit("C:\\a-very-long-file-name.exe", 10), "a-very-long-file-name.exe");
  // A share keeps its server and share name as the drive.
  EXPECT_EQ(fit("\\\\server\\share\\directory\\f.txt", widthOf("\\\\server\\share\\...\\f.txt")),
            "\\\\server\\share\\...\\f.txt");
  // A folder path's last part is empty; its folders give way like any others.
  EXPECT_EQ(fit("C:\\one\\two\\three\\", widthOf("C:\\...\\three\\")), "C:\\...\\three\\");
  EXPECT_EQ(fit("C:\\one\\two\\three\\", 0), "C:\\...\\");
  EXPECT_EQ(fit("\\first\\two\\x", widthOf("\\...\\two\\x")), "\\...\\two\\x");
}

}  // namespace
