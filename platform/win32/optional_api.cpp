#include "platform/win32/optional_api.h"

#include "platform/win32/entry_point.h"

namespace platform::win32 {
namespace {

OptionalApi lookedUp() {
  OptionalApi api;
  // The program imports from ntdll (through kernel32), kernel32, user32, shell32 and ws2_32, so
  // they are loaded for its whole life and their handles need no reference.
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  lookUp(ntdll, "NtDeleteKey", api.NtDeleteKey);
  lookUp(ntdll, "NtSetInformationFile", api.NtSetInformationFile);

  const HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
  lookUp(kernel32, "IsWow64Process", api.IsWow64Process);
  lookUp(kernel32, "Wow64DisableWow64FsRedirection", api.Wow64DisableWow64FsRedirection);
  lookUp(kernel32, "Wow64RevertWow64FsRedirection", api.Wow64RevertWow64FsRedirection);
  if (!api.Wow64RevertWow64FsRedirection) api.Wow64DisableWow64FsRedirection = nullptr;
  lookUp(kernel32, "GetFinalPathNameByHandleW", api.GetFinalPathNameByHandleW);
  lookUp(kernel32, "SetFileInformationByHandle", api.SetFileInformationByHandle);
  lookUp(kernel32, "GetTickCount64", api.GetTickCount64);
  lookUp(kernel32, "GlobalMemoryStatusEx", api.GlobalMemoryStatusEx);
  lookUp(kernel32, "GetFileSizeEx", api.GetFileSizeEx);
  lookUp(kernel32, "QueryFullProcessImageNameA", api.QueryFullProcessImageNameA);

  const HMODULE user32 = GetModuleHandleA("user32.dll");
  lookUp(user32, "SetLayeredWindowAttributes", api.SetLayeredWindowAttributes);
  lookUp(user32, "EndMenu", api.EndMenu);

  const HMODULE shell32 = GetModuleHandleA("shell32.dll");
  lookUp(shell32, MAKEINTRESOURCEA(25), api.ILCombine);
  lookUp(shell32, "SHGetFolderPathA", api.SHGetFolderPathA);
  // Loaded for the program's whole life, as are the libraries below.
  if (!api.SHGetFolderPathA) lookUp(LoadLibraryA("shfolder.dll"), "SHGetFolderPathA", api.SHGetFolderPathA);

  const HMODULE ws2 = GetModuleHandleA("ws2_32.dll");
  lookUp(ws2, "getaddrinfo", api.getaddrinfo);
  lookUp(ws2, "freeaddrinfo", api.freeaddrinfo);
  if (!api.freeaddrinfo) api.getaddrinfo = nullptr;

  const HMODULE psapi = LoadLibraryA("psapi.dll");
  lookUp(psapi, "EnumProcesses", api.EnumProcesses);
  lookUp(psapi, "EnumProcessModules", api.EnumProcessModules);
  lookUp(psapi, "GetModuleBaseNameA", api.GetModuleBaseNameA);
  return api;
}

OptionalApi& live() {
  static OptionalApi api = lookedUp();
  return api;
}

}  // namespace

const OptionalApi& optionalApi() { return live(); }

OptionalApiOverride::OptionalApiOverride() : saved_(live()) {}
OptionalApiOverride::~OptionalApiOverride() { live() = saved_; }
OptionalApi& OptionalApiOverride::table() { return live(); }

}  // namespace platform::win32
