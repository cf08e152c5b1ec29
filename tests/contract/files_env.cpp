#include "tests/contract/files_env.h"

#ifdef QEX_CONTRACT_FAKE

#include "platform/fake/fake_files.h"

namespace contract {

struct FilesEnv::Impl {
  platform::fake::FakeFiles files;
};

FilesEnv::FilesEnv() : impl_(std::make_unique<Impl>()), scratch_("C:\\scratch\\") {
  impl_->files.addDir(scratch_);
}
FilesEnv::~FilesEnv() = default;

platform::Files& FilesEnv::files() { return impl_->files; }

bool FilesEnv::makeFolderLink(const std::string& link, const std::string& target) {
  return impl_->files.addLink(link, target);
}

bool FilesEnv::makeFileLink(const std::string& link, const std::string& target) {
  return impl_->files.addFileLink(link, target);
}

bool FilesEnv::makeUnreadable(const std::string& path) { return impl_->files.makeUnreadable(path); }

bool FilesEnv::readOnlyRefusesWrites() { return true; }

bool FilesEnv::readOnlyTargetRefusesMoves() { return true; }

}  // namespace contract

#else

#include <windows.h>

#include <vector>

#include "platform/win32/win32_files.h"

namespace contract {

namespace {

// Wine's own export that names the Unix file behind a Windows path; absent on Windows.
std::string unixPath(const std::string& path) {
  using Fn = char*(CDECL*)(const WCHAR*);
  auto fn = reinterpret_cast<Fn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (!fn) return "";
  std::vector<WCHAR> wide(path.size() + 1);
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
  char* unix = fn(wide.data());
  if (!unix) return "";
  std::string out = unix;
  HeapFree(GetProcessHeap(), 0, unix);
  while (out.size() > 1 && out.back() == '/') out.pop_back();
  return out;
}

// Wine starts a Unix program handed to CreateProcess; the drive Z: is the Unix root. The
// process gives no handle to wait on, so the caller polls for the effect.
bool runUnix(const std::string& program, const std::string& arguments) {
  std::string commandLine = program + " " + arguments;
  std::string image = "Z:" + program;
  for (char& c : image)
    if (c == '/') c = '\\';
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(image.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return false;
  if (pi.hThread) CloseHandle(pi.hThread);
  if (pi.hProcess) {
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hProcess);
  }
  return true;
}

template <typename Done>
bool waitFor(Done done) {
  for (int i = 0; i < 100; ++i) {
    if (done()) return true;
    Sleep(50);
  }
  return false;
}

std::string quoted(const std::string& s) { return "\"" + s + "\""; }

// Whether the folder holding path lists it; true for a link whose target is gone too.
bool listed(const std::string& path) {
  WIN32_FIND_DATAA w;
  HANDLE h = FindFirstFileA(path.c_str(), &w);
  if (h == INVALID_HANDLE_VALUE) return false;
  FindClose(h);
  return true;
}

void removeLink(const std::string& path) {
  std::string unix = unixPath(path);
  if (!unix.empty() && runUnix("/bin/rm", "-f " + quoted(unix))) waitFor([&] { return !listed(path); });
}

// Deletes a tree we made; a reparse point is unlinked, never entered.
void removeTree(const std::string& folder) {
  WIN32_FIND_DATAA w;
  HANDLE h = FindFirstFileA((folder + "*").c_str(), &w);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::string name = w.cFileName;
      if (name == "." || name == "..") continue;
      std::string path = folder + name;
      if (w.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        removeLink(path);
      } else if (w.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        removeTree(path + "\\");
      } else {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(h, &w));
    FindClose(h);
  }
  RemoveDirectoryA(folder.c_str());
}

}  // namespace

struct FilesEnv::Impl {
  platform::win32::Win32Files files;
  // Unlinked before the tree goes: a link whose target went first no longer lists.
  std::vector<std::string> links;
};

FilesEnv::FilesEnv() : impl_(std::make_unique<Impl>()) {
  static int counter = 0;
  char temp[MAX_PATH + 1] = {};
  GetTempPathA(MAX_PATH, temp);
  scratch_ = std::string(temp) + "qexfiles-" + std::to_string(GetCurrentProcessId()) + "-" +
             std::to_string(GetTickCount()) + "-" + std::to_string(++counter) + "\\";
  CreateDirectoryA(scratch_.c_str(), nullptr);
}

FilesEnv::~FilesEnv() {
  for (const auto& link : impl_->links) removeLink(link);
  removeTree(scratch_);
}

platform::Files& FilesEnv::files() { return impl_->files; }

bool FilesEnv::makeFolderLink(const std::string& link, const std::string& target) {
  std::string from = unixPath(target), to = unixPath(link);
  if (from.empty() || to.empty()) return false;
  if (!runUnix("/bin/ln", "-s " + quoted(from) + " " + quoted(to))) return false;
  impl_->links.push_back(link);
  return waitFor([&] { return listed(link); });
}

bool FilesEnv::makeFileLink(const std::string& link, const std::string& target) {
  return makeFolderLink(link, target);
}

bool FilesEnv::makeUnreadable(const std::string&) { return false; }

bool FilesEnv::readOnlyRefusesWrites() {
  std::string probe = scratch_ + "read-only probe";
  HANDLE h = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_READONLY, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  CloseHandle(h);
  h = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  bool refused = h == INVALID_HANDLE_VALUE;
  if (!refused) CloseHandle(h);
  SetFileAttributesA(probe.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(probe.c_str());
  return refused;
}

bool FilesEnv::readOnlyTargetRefusesMoves() {
  std::string target = scratch_ + "read-only target probe", source = scratch_ + "move probe";
  for (const std::string& path : {target, source}) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    CloseHandle(h);
  }
  SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY);
  bool refused = !MoveFileExA(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING);
  for (const std::string& path : {target, source}) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
  }
  return refused;
}

}  // namespace contract

#endif
