#include "platform/win32/win32_processes.h"

#include "platform/win32/win32_handle.h"

#include <psapi.h>
#include <tlhelp32.h>

#include <cstdio>

namespace platform::win32 {
namespace {

// Beyond this many processes something is wrong; stop growing the buffer.
constexpr size_t kMaxProcesses = 1 << 16;

const char* const kVersionNames[] = {
    "Comments",     "CompanyName",      "FileDescription",  "FileVersion",
    "InternalName", "LegalCopyright",   "LegalTrademarks",  "OriginalFilename",
    "PrivateBuild", "ProductName",      "ProductVersion",   "SpecialBuild",
};

Handle openProcess(DWORD access, uint32_t pid) {
  HANDLE h = OpenProcess(access, FALSE, pid);
  return Handle(h);
}

}  // namespace

std::vector<ProcessEntry> Win32Processes::snapshot() {
  std::vector<ProcessEntry> entries;
  HANDLE raw = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (raw == INVALID_HANDLE_VALUE) return entries;
  Handle snap(raw);
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snap.get(), &entry); more; more = Process32Next(snap.get(), &entry)) {
    entry.szExeFile[sizeof entry.szExeFile - 1] = '\0';
    entries.push_back({entry.th32ProcessID, entry.szExeFile});
  }
  return entries;
}

std::vector<uint32_t> Win32Processes::enumerate() {
  std::vector<DWORD> pids(1024);
  while (true) {
    DWORD bytes = 0;
    const auto capacity = static_cast<DWORD>(pids.size() * sizeof(DWORD));
    if (!EnumProcesses(pids.data(), capacity, &bytes)) return {};
    // A full buffer may mean more processes than it holds.
    if (bytes < capacity || pids.size() >= kMaxProcesses) {
      pids.resize(bytes / sizeof(DWORD));
      return std::vector<uint32_t>(pids.begin(), pids.end());
    }
    pids.resize(pids.size() * 2);
  }
}

std::optional<std::string> Win32Processes::firstModuleName(uint32_t pid) {
  Handle process = openProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, pid);
  if (!process) return std::nullopt;
  HMODULE module = nullptr;
  DWORD needed = 0;
  if (!EnumProcessModules(process.get(), &module, sizeof module, &needed) || needed == 0) return std::nullopt;
  char name[MAX_PATH];
  const DWORD n = GetModuleBaseNameA(process.get(), module, name, sizeof name);
  if (n == 0) return std::nullopt;
  return std::string(name, n);
}

bool Win32Processes::terminate(uint32_t pid) {
  Handle process = openProcess(PROCESS_TERMINATE, pid);
  return process && TerminateProcess(process.get(), 0);
}

std::optional<std::map<std::string, std::string>> Win32Processes::versionStrings(const std::string& path) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
  if (size == 0) return std::nullopt;
  std::string block(size, '\0');
  if (!GetFileVersionInfoA(path.c_str(), 0, size, &block[0])) return std::nullopt;

  struct Translation {
    WORD language, codePage;
  };
  Translation* translations = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(&block[0], "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations),
                      &length) ||
      length < sizeof(Translation))
    return std::nullopt;

  std::map<std::string, std::string> strings;
  for (const char* name : kVersionNames) {
    char query[80];
    std::snprintf(query, sizeof query, "\\StringFileInfo\\%04x%04x\\%s", translations->language,
                  translations->codePage, name);
    char* value = nullptr;
    UINT chars = 0;
    if (!VerQueryValueA(&block[0], query, reinterpret_cast<void**>(&value), &chars) || !value) continue;
    // The length counts the terminating zero when there is one; never read past the block.
    const char* end = block.data() + block.size();
    size_t n = 0;
    while (n < chars && value + n < end && value[n] != '\0') ++n;
    strings[name] = std::string(value, n);
  }
  return strings;
}

}  // namespace platform::win32
