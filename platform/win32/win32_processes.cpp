#include "platform/win32/win32_processes.h"

#include "platform/win32/optional_api.h"
#include "platform/win32/win32_handle.h"

#include <tlhelp32.h>

#include <algorithm>
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

// PROCESS_QUERY_LIMITED_INFORMATION, which the headers declare for Vista and later targets only:
// enough to read when a process started where the full query right is refused. Older systems
// refuse it, and such a process tells nothing.
constexpr DWORD kQueryLimited = 0x1000;

// A handle with the extra rights that reads as much of who the process is as it allows.
Handle openToIdentify(DWORD extra, uint32_t pid) {
  Handle process = openProcess(extra | PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, pid);
  if (!process) process = openProcess(extra | kQueryLimited, pid);
  return process;
}

// The tool-help snapshot of what, taken now; null when the system refuses it.
Handle snapshotOf(DWORD what, uint32_t pid) {
  HANDLE raw = CreateToolhelp32Snapshot(what, pid);
  return Handle(raw == INVALID_HANDLE_VALUE ? nullptr : raw);
}

// The name of the process's program file as the system keeps it, for a process whose modules
// cannot be read.
std::optional<std::string> imageName(HANDLE process) {
  const auto query = optionalApi().QueryFullProcessImageNameA;
  char path[MAX_PATH];
  DWORD size = sizeof path;
  if (!query || !query(process, 0, path, &size) || size == 0) return std::nullopt;
  const std::string full(path, size);
  return full.substr(full.find_last_of('\\') + 1);
}

// The name of the process's first module, its program file; nullopt while it cannot be read
// (a process that has only just started has no modules yet).
std::optional<std::string> moduleName(HANDLE process, uint32_t pid) {
  const OptionalApi& api = optionalApi();
  if (api.EnumProcessModules && api.GetModuleBaseNameA) {
    HMODULE module = nullptr;
    DWORD needed = 0;
    char name[MAX_PATH];
    if (!api.EnumProcessModules(process, &module, sizeof module, &needed) || needed == 0) return std::nullopt;
    const DWORD n = api.GetModuleBaseNameA(process, module, name, sizeof name);
    if (n == 0) return std::nullopt;
    return std::string(name, n);
  }
  const Handle modules = snapshotOf(TH32CS_SNAPMODULE, pid);
  MODULEENTRY32 entry{};
  entry.dwSize = sizeof entry;
  if (!modules || !Module32First(modules.get(), &entry)) return std::nullopt;
  entry.szModule[sizeof entry.szModule - 1] = '\0';
  return std::string(entry.szModule);
}

ProcessIdentity identityOf(HANDLE process, uint32_t pid) {
  ProcessIdentity identity;
  FILETIME created, exited, kernel, user;
  if (GetProcessTimes(process, &created, &exited, &kernel, &user))
    identity.created = (uint64_t(created.dwHighDateTime) << 32) | created.dwLowDateTime;
  identity.name = moduleName(process, pid);
  if (!identity.name) identity.name = imageName(process);
  return identity;
}

}  // namespace

std::vector<ProcessEntry> Win32Processes::snapshot() {
  std::vector<ProcessEntry> entries;
  const Handle snap = snapshotOf(TH32CS_SNAPPROCESS, 0);
  if (!snap) return entries;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snap.get(), &entry); more; more = Process32Next(snap.get(), &entry)) {
    entry.szExeFile[sizeof entry.szExeFile - 1] = '\0';
    entries.push_back({entry.th32ProcessID, entry.szExeFile});
  }
  return entries;
}

std::vector<uint32_t> Win32Processes::enumerate() {
  const auto enumProcesses = optionalApi().EnumProcesses;
  if (!enumProcesses) {
    std::vector<uint32_t> pids;
    for (const auto& entry : snapshot()) pids.push_back(entry.pid);
    return pids;
  }
  std::vector<DWORD> pids(1024);
  while (true) {
    DWORD bytes = 0;
    const auto capacity = static_cast<DWORD>(pids.size() * sizeof(DWORD));
    if (!enumProcesses(pids.data(), capacity, &bytes)) return {};
    // A full buffer may mean more processes than it holds.
    if (bytes < capacity || pids.size() >= kMaxProcesses) {
      pids.resize(bytes / sizeof(DWORD));
      return std::vector<uint32_t>(pids.begin(), pids.end());
    }
    pids.resize(pids.size() * 2);
  }
}

ProcessIdentity Win32Processes::identify(uint32_t pid) {
  Handle process = openToIdentify(0, pid);
  return process ? identityOf(process.get(), pid) : ProcessIdentity{};
}

Ending Win32Processes::terminate(uint32_t pid, const ProcessIdentity& identified) {
  // The one handle that is checked is the one that ends the process.
  Handle process = openToIdentify(PROCESS_TERMINATE, pid);
  if (!process) {
    const auto pids = enumerate();
    return std::find(pids.begin(), pids.end(), pid) == pids.end() ? Ending::Gone : Ending::Refused;
  }
  if (!identified.created) return Ending::Refused;
  if (!sameProcess(identityOf(process.get(), pid), identified)) return Ending::Gone;
  // An ended process keeps its handle valid, and ending it again reports success.
  DWORD code = 0;
  if (GetExitCodeProcess(process.get(), &code) && code != STILL_ACTIVE) return Ending::Gone;
  return TerminateProcess(process.get(), 0) ? Ending::Ended : Ending::Refused;
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
