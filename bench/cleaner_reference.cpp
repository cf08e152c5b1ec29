// The reference for bench/cleaner: the least a cleaner can do, a recursive FindFirstFileA walk
// that collects every file whose name holds a dot, then DeleteFileA on each. Prints the seconds
// on the clock, and the processor seconds of this process and of the Wine server.
//
// With "checked", each file is deleted the least way that first makes sure where it really
// lies: opened, its final path compared with the folder's, then deleted through the handle.
// Under Wine a link to a file outside lists as a plain file, and DeleteFileA would delete that.
//
//   cleaner_reference FOLDER [SERVER-PID TICKS-PER-SECOND [checked]]
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bench/cpu_seconds.h"

// Declared by the headers for Vista and later targets only.
extern "C" __declspec(dllimport) DWORD WINAPI GetFinalPathNameByHandleW(HANDLE, LPWSTR, DWORD, DWORD);
extern "C" __declspec(dllimport) BOOL WINAPI SetFileInformationByHandle(HANDLE, int, LPVOID, DWORD);

namespace {

std::wstring finalPath(HANDLE h) {
  wchar_t path[MAX_PATH];
  const DWORD n = GetFinalPathNameByHandleW(h, path, MAX_PATH, 0);
  return n > 0 && n < MAX_PATH ? std::wstring(path, n) : std::wstring();
}

void deleteChecked(const std::string& path, const std::wstring& inside) {
  HANDLE h = CreateFileA(path.c_str(), DELETE | FILE_READ_ATTRIBUTES,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                         FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (h == INVALID_HANDLE_VALUE) return;
  const std::wstring really = finalPath(h);
  if (really.size() > inside.size() && _wcsnicmp(really.c_str(), inside.c_str(), inside.size()) == 0) {
    BOOLEAN gone = TRUE;  // FILE_DISPOSITION_INFO, class 4
    SetFileInformationByHandle(h, 4, &gone, sizeof gone);
  }
  CloseHandle(h);
}

void walk(const std::string& folder, std::vector<std::string>& found) {
  WIN32_FIND_DATAA entry;
  HANDLE h = FindFirstFileA((folder + "*.*").c_str(), &entry);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    const char* name = entry.cFileName;
    if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) continue;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) walk(folder + name + "\\", found);
    } else if (std::strchr(name, '.')) {
      found.push_back(folder + name);
    }
  } while (FindNextFileA(h, &entry));
  FindClose(h);
}

}  // namespace

int main(int argc, char** argv) {
  const bool checked = argc == 5 && std::strcmp(argv[4], "checked") == 0;
  if (argc != 2 && argc != 4 && !checked) {
    std::fprintf(stderr, "usage: cleaner_reference FOLDER [SERVER-PID TICKS-PER-SECOND [checked]]\n");
    return 2;
  }
  std::string root = argv[1];
  if (root.back() != '\\') root += '\\';
  const ServerSpan span(checked ? 4 : argc, argv);
  std::vector<std::string> found;
  walk(root, found);
  if (!checked) {
    for (const std::string& path : found) DeleteFileA(path.c_str());
  } else {
    HANDLE folder = CreateFileA(root.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    std::wstring inside = finalPath(folder) + L"\\";
    CloseHandle(folder);
    for (const std::string& path : found) deleteChecked(path, inside);
  }
  span.print();
  return 0;
}
