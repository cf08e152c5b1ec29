// The system calls that some Windows the program runs on lacks (it runs on every Windows from
// 98 SE on). Each is looked up once, at run time, so that the program still loads where it is
// missing; what the program does without it is written beside it here, and done where the call
// is used.
#pragma once

#include <windows.h>
#include <shtypes.h>

struct addrinfo;

namespace platform::win32 {

struct OptionalApi {
  // ntdll, every NT: deletes the key a handle names, so the key that was checked is the key
  // that goes, and a registry link opened as the link goes as the link. Without it (98, ME,
  // which have no registry links) a key is deleted by its name below its parent.
  LONG(WINAPI* NtDeleteKey)(HANDLE key) = nullptr;
  // ntdll, every NT: with FileDispositionInformation (13), deletes the file a handle opened.
  // Stands in for SetFileInformationByHandle before Vista, so the file checked is still the
  // file deleted. Without either (98, ME, which have no file links) the file is deleted by the
  // path that was checked.
  LONG(WINAPI* NtSetInformationFile)(HANDLE file, void* ioStatus, void* info, ULONG length,
                                     int infoClass) = nullptr;

  // kernel32, XP SP2 and later: whether a 32-bit program runs on 64-bit Windows. Without it the
  // system is a 32-bit one, with a single view of the registry and of the system folder.
  BOOL(WINAPI* IsWow64Process)(HANDLE process, PBOOL wow64) = nullptr;
  // kernel32, 64-bit Windows from XP x64 on: this thread's file calls see the real System32
  // instead of SysWOW64 until reverted. Without them no system redirects a 32-bit program's
  // file calls, and there is nothing to switch off.
  BOOL(WINAPI* Wow64DisableWow64FsRedirection)(PVOID* old) = nullptr;
  BOOL(WINAPI* Wow64RevertWow64FsRedirection)(PVOID old) = nullptr;
  // kernel32, Vista and later: where what a handle opened really lies. Without it (XP and
  // before) NTFS has no links to files and the finder never enters a junction, so a file's
  // real path is the path it was opened by, made full and long.
  DWORD(WINAPI* GetFinalPathNameByHandleW)(HANDLE file, LPWSTR path, DWORD size, DWORD flags) = nullptr;
  // kernel32, Vista and later: with FileDispositionInfo (4), deletes the file a handle opened.
  // Without it, NtSetInformationFile above.
  BOOL(WINAPI* SetFileInformationByHandle)(HANDLE file, int infoClass, LPVOID info, DWORD size) = nullptr;
  // kernel32, Vista and later: the milliseconds since start, 64 bits. Without it GetTickCount's
  // 32 bits, carried over each wrap after 49.7 days.
  ULONGLONG(WINAPI* GetTickCount64)() = nullptr;
  // kernel32, 2000 and later: memory in full byte counts. Without it (98, ME)
  // GlobalMemoryStatus, whose counts stop at 2 GB for a 32-bit program.
  BOOL(WINAPI* GlobalMemoryStatusEx)(LPMEMORYSTATUSEX status) = nullptr;
  // kernel32, 2000 and later: a file's size in one 64-bit number. Without it (98, ME)
  // GetFileSize's two halves.
  BOOL(WINAPI* GetFileSizeEx)(HANDLE file, PLARGE_INTEGER size) = nullptr;

  // user32, 2000 and later: the alpha of a layered window. Without it (98, ME) windows are
  // shown opaque, the fades skipped.
  BOOL(WINAPI* SetLayeredWindowAttributes)(HWND window, COLORREF key, BYTE alpha, DWORD flags) = nullptr;

  // user32, 2000 and later: ends the menu this thread has open. Without it (98, ME) the
  // menu's owner is told to cancel its modes, which ends the menu as well.
  BOOL(WINAPI* EndMenu)() = nullptr;

  // shell32 of every system from 95 on as ordinal 25 (by name only from XP SP1): joins a
  // folder's item list and a child's. Without it a folder cannot be listed, as when the shell
  // cannot parse its name.
  LPITEMIDLIST(WINAPI* ILCombine)(LPCITEMIDLIST folder, LPCITEMIDLIST child) = nullptr;
  // shell32 from ME and 2000 on, SHFOLDER.DLL (which 98 may have) otherwise: a system folder's
  // path. Without it, and where it cannot tell, the profile folder is the one that holds the
  // user's desktop, from the Shell Folders values of the registry.
  HRESULT(WINAPI* SHGetFolderPathA)(HWND owner, int folder, HANDLE token, DWORD flags, LPSTR path) = nullptr;

  // ws2_32, XP and later: host names to addresses. Without them (98, ME, 2000)
  // gethostbyname, which answers for IPv4, all the program asks for.
  int(WINAPI* getaddrinfo)(const char* host, const char* service, const addrinfo* hints,
                          addrinfo** found) = nullptr;
  void(WINAPI* freeaddrinfo)(addrinfo* found) = nullptr;

  // PSAPI.DLL, NT 4 and later (98 and ME have none): the process IDs, and the name of a
  // process's program file. Without it the tool-help snapshots of kernel32 tell the same.
  BOOL(WINAPI* EnumProcesses)(DWORD* pids, DWORD size, DWORD* used) = nullptr;
  BOOL(WINAPI* EnumProcessModules)(HANDLE process, HMODULE* modules, DWORD size, DWORD* needed) = nullptr;
  DWORD(WINAPI* GetModuleBaseNameA)(HANDLE process, HMODULE module, LPSTR name, DWORD size) = nullptr;
  // kernel32, Vista and later: the program file of a process whose modules cannot be read, as
  // a 64-bit process's cannot from a 32-bit program. Without it such a process has no name,
  // and is told by its creation time alone.
  BOOL(WINAPI* QueryFullProcessImageNameA)(HANDLE process, DWORD flags, LPSTR name, PDWORD size) = nullptr;
};

// The entry points of the running system, looked up on first use.
const OptionalApi& optionalApi();

// For the tests that run the program's way on a system without an entry point: while it lives,
// the entries cleared in table() answer as that system would; the system's own come back after.
class OptionalApiOverride {
 public:
  OptionalApiOverride();
  ~OptionalApiOverride();
  OptionalApiOverride(const OptionalApiOverride&) = delete;
  OptionalApiOverride& operator=(const OptionalApiOverride&) = delete;
  OptionalApi& table();

 private:
  OptionalApi saved_;
};

}  // namespace platform::win32
