// The file contract the program relies on, run against the in-memory tree and against the
// real calls, so the tree used by the unit tests cannot drift from Windows.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "platform/realfolder.h"
#include "tests/contract/files_env.h"

namespace {

using platform::FindData;

class FilesContract : public ::testing::Test {
 protected:
  contract::FilesEnv env;
  platform::Files& files = env.files();
  const std::string root = env.scratch();

  // Every record of a listing, in the order it came.
  std::vector<FindData> list(const std::string& pattern) {
    std::vector<FindData> out;
    FindData d;
    auto find = files.findFirst(pattern, d);
    if (!find) return out;
    do out.push_back(d);
    while (find->next(d));
    return out;
  }
  std::map<std::string, FindData> byName(const std::string& pattern) {
    std::map<std::string, FindData> out;
    for (auto& d : list(pattern)) out[d.name] = d;
    return out;
  }
  void makeTree() {
    ASSERT_TRUE(files.createDirectory(root + "list"));
    ASSERT_TRUE(files.createDirectory(root + "list\\Sub"));
    ASSERT_TRUE(files.writeFile(root + "list\\b.txt", "bb"));
    ASSERT_TRUE(files.writeFile(root + "list\\A.txt", "a"));
    ASSERT_TRUE(files.writeFile(root + "list\\readme", std::string(1234, 'r')));
  }
};

TEST_F(FilesContract, ListingGivesDotEntriesFirstThenEveryEntryOnce) {
  makeTree();
  auto all = list(root + "list\\*.*");
  ASSERT_EQ(all.size(), 6u);
  EXPECT_EQ(all[0].name, ".");
  EXPECT_EQ(all[1].name, "..");
  EXPECT_TRUE(all[0].isDirectory() && all[1].isDirectory());
  std::vector<std::string> names;
  for (size_t i = 2; i < all.size(); ++i) names.push_back(all[i].name);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"A.txt", "Sub", "b.txt", "readme"}));
  // "*" and "*.*" take the same entries, names without a dot included.
  EXPECT_EQ(list(root + "list\\*").size(), 6u);
}

TEST_F(FilesContract, RecordsCarrySizeAttributesAndTimes) {
  makeTree();
  auto entries = byName(root + "list\\*.*");
  const FindData& readme = entries["readme"];
  EXPECT_EQ(readme.size, 1234u);
  EXPECT_FALSE(readme.isDirectory());
  EXPECT_TRUE(readme.attributes & platform::kAttrArchive);
  // Somewhere between 2000 and 2100, whatever clock wrote it.
  EXPECT_GT(readme.lastWriteTime, 125911584000000000ull);
  EXPECT_LT(readme.lastWriteTime, 157469184000000000ull);
  EXPECT_GT(readme.creationTime, 0u);
  const FindData& sub = entries["Sub"];
  EXPECT_TRUE(sub.isDirectory());
  EXPECT_FALSE(sub.isReparsePoint());
  EXPECT_EQ(sub.size, 0u);
}

TEST_F(FilesContract, NamesMatchWithoutCaseAndKeepTheirOwnCase) {
  makeTree();
  EXPECT_TRUE(files.fileExists(root + "LIST\\a.TXT"));
  EXPECT_TRUE(files.directoryExists(root + "list\\sub"));
  FindData d;
  auto find = files.findFirst(root + "LIST\\README", d);
  ASSERT_TRUE(find);
  EXPECT_EQ(d.name, "readme");
  EXPECT_FALSE(find->next(d));
  ASSERT_TRUE(files.findFirst(root + "list\\a.txt", d));
  EXPECT_EQ(d.name, "A.txt");
  // Replacing a file under another case keeps the name it was made with.
  ASSERT_TRUE(files.writeFile(root + "list\\B.TXT", "new"));
  EXPECT_EQ(byName(root + "list\\*.*").count("b.txt"), 1u);
  EXPECT_EQ(files.readFile(root + "list\\b.txt", 100), "new");
}

TEST_F(FilesContract, ForwardSlashesAndTrailingSeparatorsAreAccepted) {
  makeTree();
  std::string slashed = root;
  std::replace(slashed.begin(), slashed.end(), '\\', '/');
  EXPECT_TRUE(files.fileExists(slashed + "list/A.txt"));
  EXPECT_EQ(list(slashed + "list/*.*").size(), 6u);
  EXPECT_TRUE(files.directoryExists(root + "list\\"));
  EXPECT_EQ(files.fullPath(root + "list\\Sub\\..\\.\\A.txt"), root + "list\\A.txt");
  EXPECT_EQ(files.fullPath(root + "list\\Sub\\"), root + "list\\Sub\\");
}

TEST_F(FilesContract, MasksSelectEntries) {
  makeTree();
  auto txt = byName(root + "list\\*.txt");
  EXPECT_EQ(txt.size(), 2u);
  EXPECT_TRUE(txt.count("A.txt") && txt.count("b.txt"));
  auto one = byName(root + "list\\?.TXT");
  EXPECT_EQ(one.size(), 2u);
  FindData d;
  EXPECT_FALSE(files.findFirst(root + "list\\*.zzz", d));
}

TEST_F(FilesContract, MissingOrUnusablePathsFindNothing) {
  FindData d;
  EXPECT_FALSE(files.findFirst(root + "missing\\*.*", d));
  EXPECT_FALSE(files.findFirst(root + "missing", d));
  EXPECT_FALSE(files.attributes(root + "missing"));
  EXPECT_FALSE(files.readFile(root + "missing", 100));
  EXPECT_FALSE(files.deleteFile(root + "missing"));
  EXPECT_FALSE(files.writeFile(root + "missing\\x.txt", "x"));
  // A file is no folder to list.
  ASSERT_TRUE(files.writeFile(root + "plain.txt", "p"));
  EXPECT_FALSE(files.findFirst(root + "plain.txt\\*.*", d));
  // Past the path limit nothing is found, not even a truncated neighbour.
  std::string deep = root + std::string(250, 'd');
  EXPECT_FALSE(files.findFirst(deep + "\\*.*", d));
  EXPECT_FALSE(files.createDirectory(deep));
}

TEST_F(FilesContract, EmptyFolderListsOnlyItsDotEntries) {
  ASSERT_TRUE(files.createDirectory(root + "empty"));
  auto all = list(root + "empty\\*.*");
  ASSERT_EQ(all.size(), 2u);
  EXPECT_EQ(all[0].name, ".");
  EXPECT_EQ(all[1].name, "..");
}

TEST_F(FilesContract, ReadOnlyFilesRefuseDeletionAndOverwrite) {
  std::string path = root + "locked.txt";
  ASSERT_TRUE(files.writeFile(path, "keep"));
  ASSERT_TRUE(files.setAttributes(path, platform::kAttrReadOnly | platform::kAttrHidden));
  auto attrs = files.attributes(path);
  ASSERT_TRUE(attrs);
  EXPECT_TRUE(*attrs & platform::kAttrReadOnly);
  EXPECT_TRUE(*attrs & platform::kAttrHidden);
  EXPECT_TRUE(byName(root + "*.*")["locked.txt"].attributes & platform::kAttrHidden);
  EXPECT_FALSE(files.deleteFile(path));
  if (env.readOnlyRefusesWrites()) {
    EXPECT_FALSE(files.writeFile(path, "lost"));
    ASSERT_TRUE(files.writeFile(root + "other.txt", "other"));
    EXPECT_FALSE(files.copyFile(root + "other.txt", path, false));
  }
  EXPECT_EQ(files.readFile(path, 100), "keep");
  ASSERT_TRUE(files.setAttributes(path, platform::kAttrNormal));
  EXPECT_FALSE(*files.attributes(path) & platform::kAttrReadOnly);
  EXPECT_TRUE(files.deleteFile(path));
  EXPECT_FALSE(files.attributes(path));
}

TEST_F(FilesContract, WholeFileReadsHonourTheLimit) {
  std::string path = root + "data.bin";
  std::string content = std::string("a\0b\r\n", 5) + std::string(70000, 'z');
  ASSERT_TRUE(files.writeFile(path, content));
  EXPECT_EQ(files.readFile(path, content.size()), content);
  EXPECT_FALSE(files.readFile(path, content.size() - 1));
  ASSERT_TRUE(files.writeFile(path, ""));
  EXPECT_EQ(files.readFile(path, 0), "");
  EXPECT_FALSE(files.readFile(root, 1000));
}

TEST_F(FilesContract, FilesWrittenInPiecesAreHeldWhileOpen) {
  std::string path = root + "pieces.txt";
  auto out = files.createFile(path);
  ASSERT_TRUE(out);
  EXPECT_TRUE(out->write("abc", 3));
  EXPECT_TRUE(out->write("", 0));
  EXPECT_TRUE(out->write("def", 3));
  // An open file can be read but neither deleted nor opened for writing again.
  EXPECT_FALSE(files.deleteFile(path));
  EXPECT_FALSE(files.createFile(path));
  EXPECT_TRUE(out->close());
  EXPECT_EQ(files.readFile(path, 100), "abcdef");
  EXPECT_TRUE(files.deleteFile(path));
}

TEST_F(FilesContract, CopiesReplaceOnlyWhenAsked) {
  ASSERT_TRUE(files.writeFile(root + "from.txt", "source"));
  ASSERT_TRUE(files.writeFile(root + "to.txt", "target"));
  EXPECT_FALSE(files.copyFile(root + "from.txt", root + "to.txt", true));
  EXPECT_EQ(files.readFile(root + "to.txt", 100), "target");
  EXPECT_TRUE(files.copyFile(root + "from.txt", root + "to.txt", false));
  EXPECT_EQ(files.readFile(root + "to.txt", 100), "source");
  EXPECT_TRUE(files.copyFile(root + "from.txt", root + "new.txt", true));
  EXPECT_EQ(files.readFile(root + "new.txt", 100), "source");
  auto entries = byName(root + "*.*");
  EXPECT_EQ(entries["new.txt"].lastWriteTime, entries["from.txt"].lastWriteTime);
  EXPECT_FALSE(files.copyFile(root + "absent.txt", root + "x.txt", false));
  EXPECT_FALSE(files.attributes(root + "x.txt"));
  EXPECT_FALSE(files.copyFile(root + "from.txt", root + "absent\\x.txt", false));
}

TEST_F(FilesContract, MovesReplaceTheTargetInOneStepAndKeepTheirOwnAttributes) {
  const std::string from = root + "new.txt", to = root + "old.txt", moved = root + "moved.txt";
  const uint32_t attrs = platform::kAttrHidden | platform::kAttrSystem | platform::kAttrArchive;
  ASSERT_TRUE(files.writeFile(from, "new"));
  ASSERT_TRUE(files.writeFile(to, "old"));
  ASSERT_TRUE(files.setAttributes(from, attrs));
  EXPECT_TRUE(files.moveFile(from, to));
  EXPECT_EQ(files.readFile(to, 100), "new");
  EXPECT_EQ(files.attributes(to), attrs);
  EXPECT_FALSE(files.attributes(from));
  // A name that is free takes the file as well.
  EXPECT_TRUE(files.moveFile(to, moved));
  EXPECT_EQ(files.readFile(moved, 100), "new");
  EXPECT_FALSE(files.attributes(to));
  EXPECT_FALSE(files.moveFile(root + "absent.txt", to));
  EXPECT_FALSE(files.attributes(to));
  EXPECT_FALSE(files.moveFile(moved, root + "absent\\x.txt"));
  EXPECT_EQ(files.readFile(moved, 100), "new");
}

TEST_F(FilesContract, MovesLeaveOpenFilesFoldersAndReadOnlyTargetsAlone) {
  const std::string from = root + "from.txt", to = root + "to.txt";
  ASSERT_TRUE(files.writeFile(from, "from"));
  {
    auto held = files.createFile(to);
    ASSERT_TRUE(held);
    ASSERT_TRUE(held->write("held", 4));
    EXPECT_FALSE(files.moveFile(from, to));
  }
  EXPECT_EQ(files.readFile(to, 100), "held");
  {
    auto writing = files.createFile(from);
    ASSERT_TRUE(writing);
    ASSERT_TRUE(writing->write("from", 4));
    EXPECT_FALSE(files.moveFile(from, to));
  }
  EXPECT_EQ(files.readFile(to, 100), "held");
  ASSERT_TRUE(files.createDirectory(root + "folder"));
  EXPECT_FALSE(files.moveFile(from, root + "folder"));
  EXPECT_TRUE(files.directoryExists(root + "folder"));
  ASSERT_TRUE(files.setAttributes(to, platform::kAttrReadOnly));
  if (env.readOnlyTargetRefusesMoves()) {
    EXPECT_FALSE(files.moveFile(from, to));
    EXPECT_EQ(files.readFile(to, 100), "held");
  }
  EXPECT_EQ(files.readFile(from, 100), "from");
}

TEST_F(FilesContract, FoldersAreMadeOnceAndNotDeletedAsFiles) {
  EXPECT_TRUE(files.createDirectory(root + "made"));
  EXPECT_FALSE(files.createDirectory(root + "made"));
  EXPECT_FALSE(files.createDirectory(root + "MADE"));
  EXPECT_FALSE(files.createDirectory(root + "no\\such"));
  EXPECT_TRUE(files.directoryExists(root + "made"));
  EXPECT_FALSE(files.fileExists(root + "made"));
  EXPECT_FALSE(files.deleteFile(root + "made"));
  EXPECT_FALSE(files.writeFile(root + "made", "x"));
  EXPECT_TRUE(files.directoryExists(root + "made"));
}

TEST_F(FilesContract, ANewFileIsMadeOnlyWhereNothingIs) {
  EXPECT_TRUE(files.createNewFile(root + "new.lnk"));
  EXPECT_EQ(files.readFile(root + "new.lnk", 100), "");
  ASSERT_TRUE(files.writeFile(root + "new.lnk", "kept"));
  EXPECT_FALSE(files.createNewFile(root + "NEW.LNK"));
  EXPECT_EQ(files.readFile(root + "new.lnk", 100), "kept");
  ASSERT_TRUE(files.createDirectory(root + "folder"));
  EXPECT_FALSE(files.createNewFile(root + "folder"));
  EXPECT_FALSE(files.createNewFile(root + "absent\\x.lnk"));
}

TEST_F(FilesContract, FolderLinkShowsAsReparsePointAndListsItsTarget) {
  ASSERT_TRUE(files.createDirectory(root + "target"));
  ASSERT_TRUE(files.writeFile(root + "target\\inside.txt", "in"));
  ASSERT_TRUE(files.createDirectory(root + "tree"));
  ASSERT_TRUE(env.makeFolderLink(root + "tree\\link", root + "target"));

  auto entries = byName(root + "tree\\*.*");
  ASSERT_EQ(entries.count("link"), 1u);
  EXPECT_EQ(entries["link"].attributes, platform::kAttrDirectory | platform::kAttrReparsePoint);
  EXPECT_EQ(entries["link"].reserved0, 0u);
  EXPECT_TRUE(files.directoryExists(root + "tree\\link"));
  auto through = byName(root + "tree\\link\\*.*");
  EXPECT_EQ(through.count("inside.txt"), 1u);
  EXPECT_EQ(files.readFile(root + "tree\\link\\inside.txt", 100), "in");
}

TEST_F(FilesContract, FinalPathsNameWhereFilesAndFoldersReallyLie) {
  ASSERT_TRUE(files.createDirectory(root + "Real"));
  ASSERT_TRUE(files.writeFile(root + "Real\\a.txt", "a"));
  const std::string folder = files.finalPath(root + "Real");
  ASSERT_GT(folder.size(), 3u);
  EXPECT_NE(folder.back(), '\\');
  EXPECT_EQ(files.finalPath(root + "Real\\"), folder);
  EXPECT_EQ(files.finalPath(root + "real\\.\\A.TXT"), folder + "\\a.txt");
  EXPECT_EQ(files.finalPath(root + "missing.txt"), "");
  EXPECT_EQ(files.finalPath(root.substr(0, 3)), root.substr(0, 3));
  ASSERT_TRUE(env.makeFolderLink(root + "link", root + "Real"));
  EXPECT_EQ(files.finalPath(root + "link"), folder);
  EXPECT_EQ(files.finalPath(root + "link\\a.txt"), folder + "\\a.txt");
}

// Under Wine a Unix symbolic link to a file: nothing in its find record tells it from a file,
// but where it really lies does.
TEST_F(FilesContract, FileLinkListsAsAPlainFileButItsFinalPathIsTheTarget) {
  ASSERT_TRUE(files.createDirectory(root + "outside"));
  ASSERT_TRUE(files.writeFile(root + "outside\\canary.txt", "canary"));
  ASSERT_TRUE(files.createDirectory(root + "tree"));
  ASSERT_TRUE(env.makeFileLink(root + "tree\\link.txt", root + "outside\\canary.txt"));

  auto entries = byName(root + "tree\\*.*");
  ASSERT_EQ(entries.count("link.txt"), 1u);
  EXPECT_EQ(entries["link.txt"].attributes & (platform::kAttrDirectory | platform::kAttrReparsePoint), 0u);
  EXPECT_EQ(entries["link.txt"].size, 6u);
  EXPECT_EQ(files.readFile(root + "tree\\link.txt", 100), "canary");
  const std::string target = files.finalPath(root + "outside\\canary.txt");
  ASSERT_FALSE(target.empty());
  EXPECT_EQ(files.finalPath(root + "tree\\link.txt"), target);
  auto opened = files.openForDeletion(root + "tree\\link.txt");
  ASSERT_TRUE(opened);
  EXPECT_EQ(opened->finalPath(), target);
  opened.reset();
  EXPECT_EQ(files.readFile(root + "outside\\canary.txt", 100), "canary");
  // Why the cleaner looks: deleting the link by name takes its target.
  EXPECT_TRUE(files.deleteFile(root + "tree\\link.txt"));
  EXPECT_FALSE(files.attributes(root + "outside\\canary.txt"));
}

TEST_F(FilesContract, FilesOpenedForDeletionGoOnlyWhereTheSystemAllows) {
  ASSERT_TRUE(files.writeFile(root + "plain.txt", "p"));
  ASSERT_TRUE(files.writeFile(root + "ro.txt", "r"));
  ASSERT_TRUE(files.setAttributes(root + "ro.txt", platform::kAttrReadOnly));
  ASSERT_TRUE(files.createDirectory(root + "folder"));

  auto plain = files.openForDeletion(root + "plain.txt");
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->finalPath(), files.finalPath(root) + "\\plain.txt");
  EXPECT_TRUE(plain->remove());
  plain.reset();
  EXPECT_FALSE(files.attributes(root + "plain.txt"));

  auto readOnly = files.openForDeletion(root + "ro.txt");
  ASSERT_TRUE(readOnly);
  EXPECT_FALSE(readOnly->remove());
  readOnly.reset();
  EXPECT_TRUE(files.fileExists(root + "ro.txt"));

  EXPECT_EQ(files.openForDeletion(root + "folder"), nullptr);
  EXPECT_EQ(files.openForDeletion(root + "missing.txt"), nullptr);
  // Held open by a writer that does not share deletion.
  auto writer = files.createFile(root + "held.txt");
  ASSERT_TRUE(writer);
  EXPECT_EQ(files.openForDeletion(root + "held.txt"), nullptr);
  EXPECT_TRUE(writer->close());
  EXPECT_TRUE(files.fileExists(root + "held.txt"));
}

// The two rules of a checked deletion, on a link whose target lies in the same folder: the
// cleaner's lets the target go, since it may empty that folder anyway; a file chosen by its path
// goes only as itself. Names differing in case and a folder link on the way are no link.
TEST_F(FilesContract, ACheckedDeletionTakesOnlyWhatItsRuleAllows) {
  using platform::DeletionRule;
  ASSERT_TRUE(files.createDirectory(root + "Tree"));
  ASSERT_TRUE(files.writeFile(root + "Tree\\target.dll", "needed"));
  ASSERT_TRUE(files.writeFile(root + "Tree\\Plain.TXT", "p"));
  ASSERT_TRUE(env.makeFileLink(root + "Tree\\link.exe", root + "Tree\\target.dll"));
  const auto tree = platform::RealFolder::of(files, root + "Tree");

  EXPECT_FALSE(tree.deleteFile(files, root + "Tree\\link.exe", DeletionRule::OnlyTheNamedFile));
  EXPECT_EQ(files.readFile(root + "Tree\\target.dll", 100), "needed");
  EXPECT_TRUE(tree.deleteFile(files, root + "TREE\\plain.txt", DeletionRule::OnlyTheNamedFile));
  EXPECT_FALSE(files.attributes(root + "Tree\\Plain.TXT"));

  ASSERT_TRUE(files.writeFile(root + "Tree\\again.txt", "a"));
  ASSERT_TRUE(env.makeFolderLink(root + "door", root + "Tree"));
  EXPECT_TRUE(tree.deleteFile(files, root + "door\\again.txt", DeletionRule::OnlyTheNamedFile));
  EXPECT_FALSE(files.attributes(root + "Tree\\again.txt"));

  EXPECT_TRUE(tree.deleteFile(files, root + "Tree\\link.exe", DeletionRule::AnyFileBelow));
  EXPECT_FALSE(files.attributes(root + "Tree\\target.dll"));
}

TEST_F(FilesContract, UnreadableFolderListsNothingButStillShows) {
  ASSERT_TRUE(files.createDirectory(root + "closed"));
  ASSERT_TRUE(files.writeFile(root + "closed\\secret.txt", "s"));
  if (!env.makeUnreadable(root + "closed")) GTEST_SKIP() << "this platform cannot deny a listing here";
  FindData d;
  EXPECT_FALSE(files.findFirst(root + "closed\\*.*", d));
  EXPECT_TRUE(files.directoryExists(root + "closed"));
  EXPECT_EQ(byName(root + "*.*").count("closed"), 1u);
}

}  // namespace
