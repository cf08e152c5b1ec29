// The file viewer on fakes: the shell's items with their icons, ghosting and marks, the icon
// that NT systems replace, the shortcut icon made ready without touching a file of the user's,
// and the file system's listing when the shell gives nothing.
#include <gtest/gtest.h>

#include "cleanup/folderview.h"
#include "cleanup/searchfrm.h"
#include "tests/unit/app_fixture.h"

namespace {

using platform::ShellItem;
using testing_app::AppTest;

struct FileViewer : AppTest {
  TSearchFrm& w() { return *app->SearchFrm; }
  void showFolder(const std::string& folder) { w().showFolder(folder); }
};

TEST_F(FileViewer, ItemsKeepTheShellsOrderLookAndMarks) {
  sys.fakeShell.folders["C:\\View"] = {
      ShellItem{"Shared", 3, false, true, true}, ShellItem{"Docs", 2, false, false, false},
      ShellItem{"secret.txt", 7, true, false, false}, ShellItem{"Tool", 9, false, false, true},
      ShellItem{"", -1, false, false, false}};
  start();
  showFolder("C:\\View\\");
  const auto& rows = w().ListView1.rows();
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[0].caption, "Shared");
  EXPECT_EQ(rows[0].overlay, 1);  // the share mark wins over the shortcut mark
  EXPECT_EQ(rows[1].overlay, 0);
  EXPECT_TRUE(rows[2].ghosted);
  EXPECT_FALSE(rows[1].ghosted);
  EXPECT_EQ(rows[3].overlay, 2);
  EXPECT_EQ(rows[4].imageIndex, -1);
  EXPECT_EQ(rows[2].imageIndex, 7);
  // No "c:\ntdetect.com" here: icon 2 stays.
  EXPECT_EQ(w().SubstituteIconIndex, -1);
  EXPECT_EQ(rows[1].imageIndex, 2);
  EXPECT_TRUE(w().ListView1.systemImages);
  EXPECT_EQ(w().ListView1.viewStyle, ui::ViewStyle::Icon);
}

TEST_F(FileViewer, NtSystemsShowIconTwoAsTheIconOfNtdetect) {
  sys.fakeShell.folders["C:\\View"] = {ShellItem{"Docs", 2}, ShellItem{"a.txt", 5}};
  sys.fakeShell.icons["c:\\ntdetect.com"] = 41;
  start();
  showFolder("C:\\View\\");
  EXPECT_EQ(w().SubstituteIconIndex, 41);
  EXPECT_EQ(w().ListView1.rows()[0].imageIndex, 41);
  EXPECT_EQ(w().ListView1.rows()[1].imageIndex, 5);

  sys.fakeSystem.version.platformId = 1;  // Windows 98
  showFolder("C:\\View\\");
  EXPECT_EQ(w().SubstituteIconIndex, -1);
  EXPECT_EQ(w().ListView1.rows()[0].imageIndex, 2);
}

TEST_F(FileViewer, ATempLnkOfTheUsersIsLeftAlone) {
  const std::string tempLnk = sys.fakeSystem.tempDir + "temp.lnk";
  start();
  showFolder("C:\\WINDOWS\\");
  EXPECT_FALSE(sys.fakeFiles.fileExists(tempLnk));  // made and removed again

  sys.fakeFiles.addFile(tempLnk, "the user's own");
  showFolder("C:\\WINDOWS\\");
  EXPECT_EQ(sys.fakeFiles.readFile(tempLnk, 100), "the user's own");
}

TEST_F(FileViewer, ShowingAnotherFolderReplacesTheList) {
  sys.fakeFiles.addFile("C:\\One\\a.txt");
  sys.fakeFiles.addFile("C:\\One\\b.txt");
  sys.fakeFiles.addFile("C:\\Two\\c.txt");
  start();
  showFolder("C:\\One\\");
  EXPECT_EQ(w().ListView1.rowCount(), 2);
  showFolder("C:\\Two\\");
  ASSERT_EQ(w().ListView1.rowCount(), 1);
  EXPECT_EQ(w().ListView1.rows()[0].caption, "c.txt");
  showFolder("C:\\Missing\\");
  EXPECT_EQ(w().ListView1.rowCount(), 0);
}

TEST(FolderItems, TheFileSystemStandsInWhenTheShellGivesNothing) {
  platform::fake::FakeServices sys;
  sys.fakeFiles.addFile("C:\\Start\\zeta.txt", "", platform::kAttrHidden);
  sys.fakeFiles.addFile("C:\\Start\\Tool.LNK");
  sys.fakeFiles.addFile("C:\\Start\\alpha.txt");
  sys.fakeFiles.addDir("C:\\Start\\Sub");
  sys.fakeShell.folders["C:\\Start"] = {};
  sys.fakeShell.icons["C:\\Start\\alpha.txt"] = 12;
  const auto items = cleanup::folderItems(sys.shell(), sys.files(), "C:\\Start\\");
  std::vector<std::string> names;
  for (const auto& i : items) names.push_back(i.displayName);
  EXPECT_EQ(names, (std::vector<std::string>{"Sub", "alpha.txt", "Tool", "zeta.txt"}));
  ASSERT_EQ(items.size(), 4u);
  EXPECT_EQ(items[1].iconIndex, 12);
  EXPECT_TRUE(items[2].link);
  EXPECT_FALSE(items[1].link);
  EXPECT_TRUE(items[3].hidden);
  EXPECT_TRUE(cleanup::folderItems(sys.shell(), sys.files(), "C:\\Nowhere\\").empty());
}

}  // namespace
