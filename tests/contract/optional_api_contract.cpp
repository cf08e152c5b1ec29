// The program's way on the systems that lack an entry point of the optional table: each case
// clears entries as such a system would have them and holds the answer against the one the
// running system gives with them, so a fallback cannot drift from the call it stands for.
#ifndef QEX_CONTRACT_FAKE

#include <winsock2.h>

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "platform/realfolder.h"
#include "platform/textcase.h"
#include "platform/win32/optional_api.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_sockets.h"
#include "tests/contract/env.h"
#include "tests/contract/files_env.h"
#include "ui/win32/open_menu.h"
#include "ui/win32/win32_backend.h"

namespace {

using platform::DeletionRule;
using platform::HostLookup;
using platform::RealFolder;
using platform::win32::OptionalApi;
using platform::win32::OptionalApiOverride;

// The systems the checked deletion runs on, by what they lack.
struct System {
  const char* name;
  std::function<void(OptionalApi&)> clear;
  bool tellsLinks;  // whether a file's final path shows where a link leads
};
const System kDeletionSystems[] = {
    {"Vista and later", [](OptionalApi&) {}, true},
    {"NT through ntdll", [](OptionalApi& api) { api.SetFileInformationByHandle = nullptr; }, true},
    {"2000 and XP",
     [](OptionalApi& api) {
       api.SetFileInformationByHandle = nullptr;
       api.GetFinalPathNameByHandleW = nullptr;
     },
     false},
    {"98 and ME",
     [](OptionalApi& api) {
       api.SetFileInformationByHandle = nullptr;
       api.GetFinalPathNameByHandleW = nullptr;
       api.NtSetInformationFile = nullptr;
     },
     false},
};

class FallbackFiles : public ::testing::Test {
 protected:
  contract::FilesEnv env;
  platform::Files& files = env.files();
  const std::string root = env.scratch();

  std::string shortName(const std::string& path) {
    char out[MAX_PATH];
    const DWORD n = GetShortPathNameA(path.c_str(), out, sizeof out);
    return n > 0 && n < sizeof out ? std::string(out, n) : std::string();
  }
};

// Without the final path of a handle, the path opened stands: made full, short names long. The
// program folds case before it compares, so the answers agree without regard to case.
TEST_F(FallbackFiles, WithoutFinalPathsThePathOpenedGivesTheSameAnswer) {
  ASSERT_TRUE(files.createDirectory(root + "A Long Folder Name"));
  ASSERT_TRUE(files.writeFile(root + "A Long Folder Name\\Some File.txt", "a"));
  const std::string shortFile = shortName(root + "A Long Folder Name\\Some File.txt");
  ASSERT_FALSE(shortFile.empty());
  const std::vector<std::string> paths = {
      root + "A Long Folder Name",      root + "a long folder name\\",       root.substr(0, 3),
      shortFile,                        root + "A Long Folder Name\\.\\SOME FILE.TXT", root + "missing.txt",
      root + "A Long Folder Name\\..\\A Long Folder Name\\Some File.txt"};
  std::vector<std::string> real;
  for (const auto& path : paths) real.push_back(platform::ansiLower(files.finalPath(path)));
  OptionalApiOverride without;
  without.table().GetFinalPathNameByHandleW = nullptr;
  for (size_t i = 0; i < paths.size(); ++i)
    EXPECT_EQ(platform::ansiLower(files.finalPath(paths[i])), real[i]) << paths[i];
  auto opened = files.openForDeletion(shortFile);
  ASSERT_TRUE(opened);
  EXPECT_EQ(platform::ansiLower(opened->finalPath()), real[3]);
}

// What every system's checked deletion must do: delete the file checked; refuse a read-only one,
// a folder, a missing file and one held open without deletion sharing; and, where final paths
// tell a link, never take what a link points to.
TEST_F(FallbackFiles, EverySystemsCheckedDeletionKeepsItsRules) {
  for (const auto& system : kDeletionSystems) {
    SCOPED_TRACE(system.name);
    OptionalApiOverride override;
    system.clear(override.table());
    const std::string dir = root + system.name;
    ASSERT_TRUE(files.createDirectory(dir));
    ASSERT_TRUE(files.writeFile(dir + "\\plain.txt", "p"));
    ASSERT_TRUE(files.writeFile(dir + "\\ro.txt", "r"));
    ASSERT_TRUE(files.setAttributes(dir + "\\ro.txt", platform::kAttrReadOnly));
    const auto folder = RealFolder::of(files, dir);
    ASSERT_FALSE(folder.folded().empty());

    EXPECT_TRUE(folder.deleteFile(files, dir + "\\plain.txt", DeletionRule::OnlyTheNamedFile));
    EXPECT_FALSE(files.attributes(dir + "\\plain.txt"));
    EXPECT_FALSE(folder.deleteFile(files, dir + "\\ro.txt", DeletionRule::OnlyTheNamedFile));
    EXPECT_TRUE(files.fileExists(dir + "\\ro.txt"));
    ASSERT_TRUE(files.writeFile(root + "outside.txt", "o"));
    EXPECT_FALSE(folder.deleteFile(files, root + "outside.txt", DeletionRule::AnyFileBelow));
    EXPECT_TRUE(files.fileExists(root + "outside.txt"));
    ASSERT_TRUE(files.setAttributes(dir + "\\ro.txt", 0));
    ASSERT_TRUE(files.createDirectory(dir + "\\folder"));
    EXPECT_EQ(files.openForDeletion(dir + "\\folder"), nullptr);
    EXPECT_EQ(files.openForDeletion(dir + "\\missing.txt"), nullptr);
    auto writer = files.createFile(dir + "\\held.txt");
    ASSERT_TRUE(writer);
    EXPECT_FALSE(folder.deleteFile(files, dir + "\\held.txt", DeletionRule::OnlyTheNamedFile));
    EXPECT_TRUE(writer->close());
    EXPECT_TRUE(files.fileExists(dir + "\\held.txt"));

    if (!system.tellsLinks) continue;
    ASSERT_TRUE(files.writeFile(root + system.name + " canary.txt", "canary"));
    ASSERT_TRUE(files.writeFile(dir + "\\target.dll", "needed"));
    ASSERT_TRUE(env.makeFileLink(dir + "\\out.exe", root + system.name + " canary.txt"));
    ASSERT_TRUE(env.makeFileLink(dir + "\\in.exe", dir + "\\target.dll"));
    EXPECT_FALSE(folder.deleteFile(files, dir + "\\out.exe", DeletionRule::AnyFileBelow));
    EXPECT_FALSE(folder.deleteFile(files, dir + "\\in.exe", DeletionRule::OnlyTheNamedFile));
    EXPECT_EQ(files.readFile(root + system.name + " canary.txt", 100), "canary");
    EXPECT_EQ(files.readFile(dir + "\\target.dll", 100), "needed");
  }
}

// NT before Vista deletes through the handle too: what took the checked file's name after the
// check never goes, and the file checked fares as the system's own call lets it (Windows deletes
// it where it was moved to; Wine leaves it).
TEST_F(FallbackFiles, WithoutTheVistaCallTheHandleCheckedIsStillTheOneDeleted) {
  std::vector<bool> movedStays;
  for (const auto& system : {kDeletionSystems[0], kDeletionSystems[1]}) {
    SCOPED_TRACE(system.name);
    OptionalApiOverride override;
    system.clear(override.table());
    ASSERT_TRUE(files.writeFile(root + "checked.txt", "checked"));
    auto opened = files.openForDeletion(root + "checked.txt");
    ASSERT_TRUE(opened);
    ASSERT_TRUE(MoveFileA((root + "checked.txt").c_str(), (root + "moved.txt").c_str()));
    ASSERT_TRUE(files.writeFile(root + "checked.txt", "newcomer"));
    EXPECT_TRUE(opened->remove());
    opened.reset();
    EXPECT_EQ(files.readFile(root + "checked.txt", 100), "newcomer");
    movedStays.push_back(files.fileExists(root + "moved.txt"));
    ASSERT_TRUE(files.deleteFile(root + "checked.txt"));
    files.deleteFile(root + "moved.txt");
  }
  EXPECT_EQ(movedStays[0], movedStays[1]);
}

TEST_F(FallbackFiles, WithoutTheSixtyFourBitSizeReadsHonourTheLimit) {
  ASSERT_TRUE(files.writeFile(root + "ten.txt", "0123456789"));
  OptionalApiOverride without;
  without.table().GetFileSizeEx = nullptr;
  EXPECT_EQ(files.readFile(root + "ten.txt", 10), "0123456789");
  EXPECT_EQ(files.readFile(root + "ten.txt", 9), std::nullopt);
  EXPECT_EQ(files.readFile(root + "missing.txt", 10), std::nullopt);
}

class Fallbacks : public contract::Contract {};

TEST_F(Fallbacks, WithoutTheSixtyFourBitTickTheTickAgreesAndRunsOn) {
  platform::win32::Win32Clock clock;
  const uint64_t real = clock.tickMs();
  OptionalApiOverride without;
  without.table().GetTickCount64 = nullptr;
  const uint64_t widened = clock.tickMs();
  EXPECT_LE(real % (uint64_t(1) << 32), widened);
  EXPECT_LT(widened, real % (uint64_t(1) << 32) + 1000);
  clock.sleepMs(50);
  EXPECT_GE(clock.tickMs(), widened + 50 - 16);
}

TEST(WidenedTick, CarriesOverEachWrapAndNeverGoesBack) {
  using platform::win32::widenedTick;
  std::atomic<uint64_t> last{0};
  EXPECT_EQ(widenedTick(0xFFFFFF00u, last), 0xFFFFFF00u);
  EXPECT_EQ(widenedTick(0x10u, last), 0x100000010u);
  // A reader overtaken by another: its older reading, from before the wrap, answers the later.
  EXPECT_EQ(widenedTick(0xFFFFFFF0u, last), 0x100000010u);
  EXPECT_EQ(widenedTick(0x7FFFFFFFu, last), 0x17FFFFFFFu);
  EXPECT_EQ(widenedTick(0x00000005u, last), 0x17FFFFFFFu);
  EXPECT_EQ(widenedTick(0x80000020u, last), 0x180000020u);
  EXPECT_EQ(widenedTick(0x00000001u, last), 0x200000001u);
}

TEST_F(Fallbacks, WithoutGetaddrinfoNamesResolveAlike) {
  platform::win32::Win32Sockets sockets;
  auto resolved = [&](const std::string& host) {
    auto lookup = sockets.lookup(host);
    auto state = HostLookup::State::Pending;
    for (int i = 0; i < 1000 && state == HostLookup::State::Pending; ++i) state = lookup->wait(10);
    return state == HostLookup::State::Found ? std::optional<uint32_t>(lookup->address()) : std::nullopt;
  };
  const auto localhost = resolved("localhost");
  ASSERT_TRUE(localhost);
  OptionalApiOverride without;
  without.table().getaddrinfo = nullptr;
  without.table().freeaddrinfo = nullptr;
  EXPECT_EQ(resolved("localhost"), localhost);
  EXPECT_EQ(resolved("no-such-host.invalid"), std::nullopt);
  EXPECT_EQ(resolved(""), std::nullopt);
}

TEST_F(Fallbacks, WithoutSHGetFolderPathTheProfileHoldsTheDesktop) {
  const std::string real = sys().system().profileDirectory();
  ASSERT_FALSE(real.empty());
  OptionalApiOverride without;
  without.table().SHGetFolderPathA = nullptr;
  EXPECT_TRUE(platform::equalsAsciiNoCase(sys().system().profileDirectory(), real))
      << sys().system().profileDirectory() << " " << real;
}

// GlobalMemoryStatus gives a 32-bit program that is not marked large-address aware (the
// program is not) no more than 2 GB.
TEST_F(Fallbacks, WithoutTheFullMemoryCountsTheOldOnesAgree) {
  const auto real = sys().system().memoryStatus();
  ASSERT_GT(real.totalPhys, 0u);
  OptionalApiOverride without;
  without.table().GlobalMemoryStatusEx = nullptr;
  const auto old = sys().system().memoryStatus();
  const uint64_t cap = sizeof(void*) == 4 ? uint64_t(0x7FFFFFFF) : ~uint64_t(0);
  EXPECT_EQ(old.totalPhys, std::min(real.totalPhys, cap));
  EXPECT_GT(old.availPhys, 0u);
  EXPECT_LE(old.availPhys, old.totalPhys);
}

TEST_F(Fallbacks, WithoutILCombineNoFolderIsListed) {
  const std::string windows = sys().system().windowsDirectory();
  ASSERT_FALSE(sys().shell().listFolder(windows).empty());
  OptionalApiOverride without;
  without.table().ILCombine = nullptr;
  EXPECT_TRUE(sys().shell().listFolder(windows).empty());
}

// 98 and ME have no PSAPI.DLL: the tool-help snapshots give the same IDs, names and ends.
TEST_F(Fallbacks, WithoutPsapiProcessesAreListedNamedAndEndedAlike) {
  auto& procs = sys().processes();
  const auto own = ownProcess();
  const auto realIdentity = procs.identify(own.pid);
  auto victim = startVictim();
  ASSERT_NE(victim->pid(), 0u);
  std::string victimFile;
  for (const auto& entry : procs.snapshot())
    if (entry.pid == victim->pid()) victimFile = entry.exeFile;
  ASSERT_FALSE(victimFile.empty());

  OptionalApiOverride without;
  without.table().EnumProcesses = nullptr;
  without.table().EnumProcessModules = nullptr;
  without.table().GetModuleBaseNameA = nullptr;
  const auto pids = procs.enumerate();
  EXPECT_NE(std::find(pids.begin(), pids.end(), own.pid), pids.end());
  EXPECT_NE(std::find(pids.begin(), pids.end(), victim->pid()), pids.end());
  const auto identity = procs.identify(own.pid);
  ASSERT_TRUE(identity.name);
  EXPECT_TRUE(platform::equalsAsciiNoCase(*identity.name, *realIdentity.name)) << *identity.name;
  EXPECT_EQ(identity.created, realIdentity.created);

  // Identified and ended the same way, as the program does.
  const auto victimIdentity = procs.identify(victim->pid());
  ASSERT_TRUE(victimIdentity.name);
  EXPECT_TRUE(platform::equalsAsciiNoCase(*victimIdentity.name, victimFile)) << *victimIdentity.name;
  ASSERT_TRUE(victimIdentity.created);
  auto other = victimIdentity;
  other.name = "another.exe";
  EXPECT_EQ(procs.terminate(victim->pid(), other), platform::Ending::Gone);
  EXPECT_EQ(procs.terminate(victim->pid(), victimIdentity), platform::Ending::Ended);
}

// The timers of the open-menu case: the first comes in the menu's own loop, the second only when
// the menu did not close.
bool menuHeldOn = false;
void CALLBACK endTheMenu(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  ui::win32::endOpenMenu();
}
void CALLBACK giveUpOnTheMenu(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  menuHeldOn = true;
  using EndMenuFn = BOOL(WINAPI*)();
  reinterpret_cast<EndMenuFn>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "EndMenu")))();
}

// Quitting closes a menu left open, or its loop would hold the program.
// A 32-bit program cannot read a 64-bit process's modules: the process is named from its
// program file, and without the call that tells it (XP and older) it is told by its start alone.
TEST_F(Fallbacks, AProcessOfTheOtherWidthIsNamedFromItsProgramFile) {
  BOOL wow64Process = FALSE;
  const auto isWow64 = platform::win32::optionalApi().IsWow64Process;
  if (!isWow64 || !isWow64(GetCurrentProcess(), &wow64Process) || !wow64Process)
    GTEST_SKIP() << "only a 32-bit program on 64-bit Windows meets such a process";
  auto& procs = sys().processes();
  auto victim = startSixtyFourBitVictim();
  ASSERT_NE(victim->pid(), 0u);
  const auto identity = procs.identify(victim->pid());
  ASSERT_TRUE(identity.name);
  EXPECT_TRUE(platform::equalsAsciiNoCase(*identity.name, "cmd.exe")) << *identity.name;
  ASSERT_TRUE(identity.created);

  OptionalApiOverride without;
  without.table().QueryFullProcessImageNameA = nullptr;
  const auto unnamed = procs.identify(victim->pid());
  EXPECT_FALSE(unnamed.name);
  EXPECT_EQ(unnamed.created, identity.created);
  // Ended all the same, by the identity the list saw.
  EXPECT_EQ(procs.terminate(victim->pid(), unnamed), platform::Ending::Ended);
}

TEST_F(Fallbacks, WithoutEndMenuAnOpenMenuStillCloses) {
  for (const bool withEndMenu : {true, false}) {
    SCOPED_TRACE(withEndMenu ? "with EndMenu" : "without");
    OptionalApiOverride override;
    if (!withEndMenu) override.table().EndMenu = nullptr;
    HWND owner = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 20, 20, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(owner, nullptr);
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 1, "Item");
    menuHeldOn = false;
    const UINT_PTR ending = SetTimer(nullptr, 0, 50, endTheMenu);
    const UINT_PTR limit = SetTimer(nullptr, 0, 5000, giveUpOnTheMenu);
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY, 5, 5, 0, owner, nullptr), 0);
    KillTimer(nullptr, ending);
    KillTimer(nullptr, limit);
    EXPECT_FALSE(menuHeldOn);
    DestroyMenu(menu);
    DestroyWindow(owner);
  }
}

// 98 and ME have no layered windows: there a window stays as it is, opaque, rather than take a
// style that the system cannot show.
TEST_F(Fallbacks, WithoutLayeredWindowsAWindowStaysOpaque) {
  ui::win32::Win32Backend backend;
  HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 20, 20, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(backend.layeredSupported());
  backend.applyLayered(window, true, 128);
  BYTE alpha = 0;
  DWORD flags = 0;
  EXPECT_TRUE(GetLayeredWindowAttributes(window, nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 128);
  backend.applyLayered(window, false, 255);
  {
    OptionalApiOverride without;
    without.table().SetLayeredWindowAttributes = nullptr;
    EXPECT_FALSE(backend.layeredSupported());
    backend.applyLayered(window, true, 128);
    EXPECT_EQ(GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
  }
  DestroyWindow(window);
}

// A 32-bit program on 64-bit Windows writes where a 64-bit one would: into the real System32,
// not SysWOW64. Cleared, as on a system with nothing to redirect, the calls go where the
// system sends them.
TEST_F(Fallbacks, FilesReachTheRealSystemFolder) {
  auto& files = sys().files();
  const std::string windows = sys().system().windowsDirectory();
  const std::string name = "\\qex-contract-real-system.txt";
  const std::string system32 = windows + "\\System32" + name;
  const std::string wow64 = windows + "\\SysWOW64" + name;
  ASSERT_TRUE(files.writeFile(system32, "real"));
  EXPECT_EQ(files.readFile(system32, 100), "real");
  // SysWOW64 is the same folder to every program and never redirected.
  EXPECT_EQ(GetFileAttributesA(wow64.c_str()), INVALID_FILE_ATTRIBUTES);
  {
    OptionalApiOverride without;
    without.table().Wow64DisableWow64FsRedirection = nullptr;
    without.table().Wow64RevertWow64FsRedirection = nullptr;
    BOOL wow64Process = FALSE;
    const auto isWow64 = platform::win32::optionalApi().IsWow64Process;
    if (isWow64 && isWow64(GetCurrentProcess(), &wow64Process) && wow64Process)
      EXPECT_EQ(files.readFile(system32, 100), std::nullopt);
    else
      EXPECT_EQ(files.readFile(system32, 100), "real");
  }
  EXPECT_TRUE(files.deleteFile(system32));
  EXPECT_FALSE(files.attributes(system32));
}

}  // namespace

#endif
