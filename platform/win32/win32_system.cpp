#include "platform/win32/win32_system.h"

#include "platform/command_line.h"
#include "platform/win32/optional_api.h"
#include "platform/win32/win32_handle.h"

#include <mmsystem.h>
#include <shlobj.h>

#include <cstring>

namespace platform::win32 {
namespace {

// Calls that fill a buffer and return the length, or the size needed when it was too small.
template <typename Fill>
std::string filled(Fill fill) {
  std::string text(MAX_PATH, '\0');
  for (int attempt = 0; attempt < 4; ++attempt) {
    const DWORD n = fill(&text[0], static_cast<DWORD>(text.size()));
    if (n == 0) return std::string();
    if (n < text.size()) {
      text.resize(n);
      return text;
    }
    text.assign(n + 1, '\0');
  }
  return std::string();
}

LocalTime fromSystemTime(const SYSTEMTIME& t) {
  return LocalTime{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

// The fields of a date and time that isValidDate and isValidTime accepted.
SYSTEMTIME toSystemTime(const LocalTime& t) {
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(t.year);
  time.wMonth = static_cast<WORD>(t.month);
  time.wDay = static_cast<WORD>(t.day);
  time.wHour = static_cast<WORD>(t.hour);
  time.wMinute = static_cast<WORD>(t.minute);
  time.wSecond = static_cast<WORD>(t.second);
  return time;
}

// The user's desktop folder as the Shell Folders values of the registry name it.
std::string desktopFolder() {
  HKEY raw = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", 0,
                    KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS)
    return std::string();
  Key folders(raw);
  char path[MAX_PATH + 1] = {};
  DWORD type = 0;
  DWORD size = MAX_PATH;
  if (RegQueryValueExA(folders.get(), "Desktop", nullptr, &type, reinterpret_cast<BYTE*>(path), &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ))
    return std::string();
  return std::string(path, strnlen(path, size));
}

}  // namespace

MemoryStatus Win32System::memoryStatus() {
  if (const auto statusEx = optionalApi().GlobalMemoryStatusEx) {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (!statusEx(&status)) return MemoryStatus{};
    return MemoryStatus{status.ullTotalPhys, status.ullAvailPhys};
  }
  MEMORYSTATUS status{};
  status.dwLength = sizeof status;
  GlobalMemoryStatus(&status);
  return MemoryStatus{status.dwTotalPhys, status.dwAvailPhys};
}

std::optional<DiskSpace> Win32System::diskFreeSpace(const std::string& root) {
  ULARGE_INTEGER available, total, totalFree;
  if (!GetDiskFreeSpaceExA(root.c_str(), &available, &total, &totalFree)) return std::nullopt;
  return DiskSpace{total.QuadPart, available.QuadPart};
}

std::optional<uint32_t> Win32System::volumeSerial(const std::string& root) {
  DWORD serial = 0;
  if (!GetVolumeInformationA(root.c_str(), nullptr, 0, &serial, nullptr, nullptr, nullptr, 0))
    return std::nullopt;
  return serial;
}

uint32_t Win32System::driveType(const std::string& root) { return GetDriveTypeA(root.c_str()); }

uint32_t Win32System::logicalDrives() { return GetLogicalDrives(); }

OsVersion Win32System::osVersion() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  if (!GetVersionExA(&info)) return OsVersion{};
  info.szCSDVersion[sizeof info.szCSDVersion - 1] = '\0';
  return OsVersion{info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber, info.dwPlatformId,
                   info.szCSDVersion};
}

std::string Win32System::windowsDirectory() {
  std::string dir = filled([](char* buffer, DWORD size) { return GetWindowsDirectoryA(buffer, size); });
  if (dir.size() > 3 && dir.back() == '\\') dir.pop_back();
  return dir;
}

std::string Win32System::tempPath() {
  std::string dir = filled([](char* buffer, DWORD size) { return GetTempPathA(size, buffer); });
  if (!dir.empty() && dir.back() != '\\') dir += '\\';
  return dir;
}

std::string Win32System::programPath() {
  // GetModuleFileNameA answers a full buffer, not the size needed, when the path is cut.
  std::string path(MAX_PATH, '\0');
  while (path.size() <= 32768) {
    const DWORD n = GetModuleFileNameA(nullptr, &path[0], static_cast<DWORD>(path.size()));
    if (n == 0) return std::string();
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.assign(path.size() * 2, '\0');
  }
  return std::string();
}

std::vector<std::string> Win32System::arguments() {
  auto args = splitCommandLine(GetCommandLineA());
  args.erase(args.begin());
  return args;
}

std::string Win32System::userName() {
  char name[257];  // UNLEN + 1
  DWORD size = sizeof name;
  if (!GetUserNameA(name, &size) || size == 0) return std::string();
  return std::string(name, size - 1);
}

std::string Win32System::profileDirectory() {
  char path[MAX_PATH + 1] = {};
  const auto folderPath = optionalApi().SHGetFolderPathA;
  std::string dir;
  if (folderPath && SUCCEEDED(folderPath(nullptr, CSIDL_PROFILE, nullptr, SHGFP_TYPE_CURRENT, path))) {
    dir = path;
  } else {
    // The folder that holds the desktop: the profile, or the Windows folder on a 98 or ME
    // without user profiles.
    dir = desktopFolder();
    const size_t slash = dir.find_last_of('\\');
    dir = slash == std::string::npos ? std::string() : dir.substr(0, slash == 2 ? 3 : slash);
  }
  if (dir.size() > 3 && dir.back() == '\\') dir.pop_back();
  return dir;
}

std::optional<LocalTime> Win32System::localTime(FileTime utc) {
  const FILETIME file{static_cast<DWORD>(utc), static_cast<DWORD>(utc >> 32)};
  FILETIME local;
  SYSTEMTIME time;
  if (!FileTimeToLocalFileTime(&file, &local) || !FileTimeToSystemTime(&local, &time))
    return std::nullopt;
  return fromSystemTime(time);
}

LocalTime Win32System::now() {
  SYSTEMTIME time;
  GetLocalTime(&time);
  return fromSystemTime(time);
}

// Wine moves a day that does not exist into the next month rather than refuse it.
std::string Win32System::shortDate(const LocalTime& when) {
  if (!isValidDate(when)) return std::string();
  char text[128];
  const SYSTEMTIME time = toSystemTime(when);
  if (!GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, text, sizeof text))
    return std::string();
  return text;
}

std::string Win32System::shortTime(const LocalTime& when) {
  if (!isValidTime(when)) return std::string();
  char text[128];
  const SYSTEMTIME time = toSystemTime(when);
  if (!GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &time, nullptr, text, sizeof text))
    return std::string();
  return text;
}

std::string Win32System::longTime(const LocalTime& when) {
  if (!isValidTime(when)) return std::string();
  char text[128];
  const SYSTEMTIME time = toSystemTime(when);
  if (!GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &time, nullptr, text, sizeof text)) return std::string();
  return text;
}

int Win32System::colorDepth() {
  ScreenDc dc(GetDC(nullptr));
  if (!dc) return 0;
  return GetDeviceCaps(dc.get(), BITSPIXEL) * GetDeviceCaps(dc.get(), PLANES);
}

char Win32System::decimalSeparator() {
  char text[8] = {};
  if (!GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, text, sizeof text) || text[0] == '\0') return '.';
  return text[0];
}

std::string Win32System::thousandsSeparator() {
  char text[8] = {};
  if (!GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, text, sizeof text)) return ",";
  return text;
}

int Win32System::waveOutDevices() { return static_cast<int>(waveOutGetNumDevs()); }

int Win32System::midiOutDevices() { return static_cast<int>(midiOutGetNumDevs()); }

}  // namespace platform::win32
