// qexctl: drives a running qexsys.exe from the end-to-end tests.
//   qexctl [--wait SECONDS] "<command>"   sends an automation request to the main window
//                                          (class Tqex_ulm_frm) and prints the reply
//   qexctl --boxes                         lists the program's visible message boxes, one line
//                                          each: title TAB text (line breaks written as \n)
//   qexctl --answer <button text>          clicks that button ("OK", "Yes", "&No" alike) of
//                                          the first visible message box that has it
//   qexctl --savefile <path>               types the path into the program's open file
//                                          dialog and presses its OK (Save) button
//   qexctl --processes                     prints the number of entries of a process snapshot
//   qexctl --samples SECONDS "<command>"   sends the request over and over for SECONDS (or until
//                                          the window goes) and prints each reply that differs
//                                          from the one before: milliseconds TAB reply
//   qexctl --start "<command line>"        starts a program from a whole command line the way
//                                          Windows runs a Run value (no separate program name)
//   qexctl --process-list                  lists a snapshot's processes but its own: ID TAB name
//   qexctl --timed "<command>" "<query>" <prefix> <seconds>
//                                          sends the command, then asks the query (every 100 ms)
//                                          until its value starts with prefix; prints
//                                          "ok <seconds taken>"
//   qexctl --gaps "get <query>" <prefix> <seconds>
//                                          asks the query over and over until its value starts
//                                          with prefix; prints "ok <seconds taken> <longest
//                                          wait for one answer in seconds>"
//   qexctl --windows                       lists visible top-level windows: class TAB caption
//                                          TAB client width x height TAB the client area's
//                                          top-left corner on the screen as x,y
//   qexctl --registry-link <key> <target>  makes a registry link at key below
//                                          HKEY_CURRENT_USER leading to target below
//                                          HKEY_LOCAL_MACHINE (the registry tools make none)
//   qexctl --version-strings <file>        prints the strings of a file's version resource as
//                                          the process viewer reads them: name=value lines
//   qexctl --tray <present|remove|restart> asks whether the program's tray icon is there,
//                                          removes it as an Explorer that ended would, or
//                                          announces a new taskbar as a restarted Explorer does
//   qexctl --memory                        prints the memory of the main window's process as
//                                          Windows counts it, in KiB: "ok <working set> <peak
//                                          working set> <private bytes>"
//   qexctl --script                        runs the requests of standard input in turn (see
//                                          script() below)
// Exit codes: 0 ok, 1 an error reply (or no reply, or no such box or button), 2 no window.
#include <windows.h>
#include <psapi.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/textcase.h"
#include "platform/win32/win32_processes.h"

namespace {

constexpr ULONG_PTR kRequest = 0x514B, kReply = 0x514C;
constexpr const char* kMainClass = "Tqex_ulm_frm";

std::string windowText(HWND h) {
  char buffer[2048] = "";
  GetWindowTextA(h, buffer, sizeof(buffer));
  return buffer;
}

std::string className(HWND h) {
  char buffer[256] = "";
  GetClassNameA(h, buffer, sizeof(buffer));
  return buffer;
}

std::string escaped(const std::string& s) {
  std::string out;
  for (char c : s) {
    if (c == '\r') continue;
    if (c == '\n') out += "\\n";
    else if (c == '\t') out += "\\t";
    else out += c;
  }
  return out;
}

// Button captions compare without the accelerator marks and the letter case.
std::string plain(const std::string& s) {
  std::string out;
  for (char c : s)
    if (c != '&') out += platform::asciiLower(c);
  return out;
}

// --- automation requests -------------------------------------------------------------------

std::string reply;
bool replied = false;

LRESULT CALLBACK receiver(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COPYDATA) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (data && data->dwData == kReply) {
      reply.assign(static_cast<const char*>(data->lpData), data->lpData ? data->cbData : 0);
      replied = true;
      return TRUE;
    }
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND findMain(int waitSeconds) {
  HWND target = FindWindowA(kMainClass, nullptr);
  for (int i = 0; !target && i < waitSeconds * 10; ++i) {
    Sleep(100);
    target = FindWindowA(kMainClass, nullptr);
  }
  if (!target) std::puts("error no window");
  return target;
}

HWND makeReceiver() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = receiver;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "QexctlReceiver";
  RegisterClassA(&wc);
  return CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                         wc.hInstance, nullptr);
}

// One request and its reply (in reply); false when none came.
bool ask(HWND target, HWND self, const std::string& command) {
  replied = false;
  COPYDATASTRUCT data{kRequest, static_cast<DWORD>(command.size()), const_cast<char*>(command.data())};
  DWORD_PTR result = 0;
  // The reply arrives as a message sent to our window while this call waits.
  SendMessageTimeoutA(target, WM_COPYDATA, reinterpret_cast<WPARAM>(self), reinterpret_cast<LPARAM>(&data),
                      SMTO_ABORTIFHUNG, 15000, &result);
  return replied;
}

int request(const std::string& command, int waitSeconds) {
  HWND target = findMain(waitSeconds);
  if (!target) return 2;
  HWND self = makeReceiver();
  const bool answered = ask(target, self, command);
  DestroyWindow(self);
  if (!answered) {
    std::puts("error no reply");
    return 1;
  }
  std::fwrite(reply.data(), 1, reply.size(), stdout);
  std::fputc('\n', stdout);
  return reply == "ok" || reply.compare(0, 3, "ok ") == 0 ? 0 : 1;
}

// Fast changes (a fade of a few hundred milliseconds) seen from one process, not one per start.
int samples(const std::string& command, int seconds) {
  HWND target = findMain(seconds);
  if (!target) return 2;
  HWND self = makeReceiver();
  const DWORD start = GetTickCount();
  std::string last;
  bool any = false;
  while (GetTickCount() - start < static_cast<DWORD>(seconds) * 1000 && IsWindow(target)) {
    if (ask(target, self, command) && (!any || reply != last)) {
      std::printf("%lu\t%s\n", static_cast<unsigned long>(GetTickCount() - start),
                  escaped(reply).c_str());
      std::fflush(stdout);
      last = reply;
      any = true;
    }
    Sleep(2);
  }
  DestroyWindow(self);
  return any ? 0 : 1;
}

// Sends the command, then asks the query every 100 ms until its value starts with the prefix
// (more often, the questions would slow a program that is busy letting messages in);
// prints "ok" and the seconds from just before the command went out to the answer that had it.
int timed(const std::string& command, const std::string& query, const std::string& prefix,
          int seconds) {
  HWND target = findMain(0);
  if (!target) return 2;
  HWND self = makeReceiver();
  LARGE_INTEGER frequency, start, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  const auto ok = [] { return reply == "ok" || reply.compare(0, 3, "ok ") == 0; };
  const std::string wanted = "ok " + prefix;
  int rc = 1;
  if (!ask(target, self, command) || !ok()) {
    std::puts(replied ? reply.c_str() : "error no reply");
  } else {
    for (;;) {
      if (!ask(target, self, query)) {
        std::puts("error no reply");
        break;
      }
      QueryPerformanceCounter(&now);
      const double elapsed = double(now.QuadPart - start.QuadPart) / double(frequency.QuadPart);
      if (reply.compare(0, wanted.size(), wanted) == 0) {
        std::printf("ok %.3f\n", elapsed);
        rc = 0;
        break;
      }
      if (elapsed > seconds) {
        std::puts("error timed out");
        break;
      }
      Sleep(100);
    }
  }
  DestroyWindow(self);
  return rc;
}

// Asks the query back to back until its value starts with the prefix, to see how long a busy
// window leaves a question unanswered.
int gaps(const std::string& query, const std::string& prefix, int seconds) {
  HWND target = findMain(0);
  if (!target) return 2;
  HWND self = makeReceiver();
  LARGE_INTEGER frequency, start, before, after;
  QueryPerformanceFrequency(&frequency);
  const auto between = [&](const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
  };
  QueryPerformanceCounter(&start);
  const std::string wanted = "ok " + prefix;
  double longest = 0;
  int rc = 1;
  for (;;) {
    QueryPerformanceCounter(&before);
    if (!ask(target, self, query)) {
      std::puts("error no reply");
      break;
    }
    QueryPerformanceCounter(&after);
    if (between(before, after) > longest) longest = between(before, after);
    if (reply.compare(0, wanted.size(), wanted) == 0) {
      std::printf("ok %.3f %.3f\n", between(start, after), longest);
      rc = 0;
      break;
    }
    if (between(start, after) > seconds) {
      std::puts("error timed out");
      break;
    }
    Sleep(5);
  }
  DestroyWindow(self);
  return rc;
}

// Every process of a snapshot but this one and those it started: ID TAB image name.
int listProcesses() {
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snap == INVALID_HANDLE_VALUE) return 1;
  const DWORD self = GetCurrentProcessId();
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snap, &entry); more; more = Process32Next(snap, &entry))
    if (entry.th32ProcessID != self && entry.th32ParentProcessID != self)
      std::printf("%lu\t%s\n", static_cast<unsigned long>(entry.th32ProcessID), entry.szExeFile);
  CloseHandle(snap);
  return 0;
}

int startProgram(const std::string& commandLine) {
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info)) {
    std::printf("error %lu\n", GetLastError());
    return 1;
  }
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  std::printf("%lu\n", info.dwProcessId);
  return 0;
}

// --- message boxes and windows -------------------------------------------------------------

struct Box {
  HWND hwnd;
  std::string title, text;
  std::vector<HWND> buttons;
};

DWORD programProcess() {
  DWORD pid = 0;
  if (HWND main = FindWindowA(kMainClass, nullptr)) GetWindowThreadProcessId(main, &pid);
  return pid;
}

// The enumeration callbacks are functions of their own: a lambda converts to a pointer of the
// default calling convention, which on 32-bit Windows is not the callbacks' stdcall.
struct BoxSearch {
  DWORD pid;
  std::vector<Box> found;
};

BOOL CALLBACK collectBox(HWND h, LPARAM p) {
  auto& s = *reinterpret_cast<BoxSearch*>(p);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  if (!IsWindowVisible(h) || className(h) != "#32770" || (s.pid && pid != s.pid)) return TRUE;
  Box box{h, windowText(h), {}, {}};
  for (HWND c = GetWindow(h, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    const std::string cls = className(c);
    if (cls == "Button") box.buttons.push_back(c);
    else if (cls == "Static" && !windowText(c).empty()) box.text += (box.text.empty() ? "" : "\n") + windowText(c);
  }
  s.found.push_back(box);
  return TRUE;
}

std::vector<Box> boxes() {
  BoxSearch search{programProcess(), {}};
  EnumWindows(collectBox, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

int listBoxes() {
  for (const Box& b : boxes()) std::printf("%s\t%s\n", escaped(b.title).c_str(), escaped(b.text).c_str());
  return 0;
}

int answer(const std::string& caption) {
  for (const Box& b : boxes())
    for (HWND button : b.buttons)
      if (plain(windowText(button)) == plain(caption)) {
        // The dialog's own command, as a click on the button sends it.
        PostMessageA(b.hwnd, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED), reinterpret_cast<LPARAM>(button));
        std::puts("ok");
        return 0;
      }
  std::puts("error no such button");
  return 1;
}

// The file name field is the dialog's only edit field; it may lie inside a combo box.
struct EditSearch {
  HWND found = nullptr;
  int count = 0;
};

BOOL CALLBACK countEdit(HWND h, LPARAM p) {
  auto& s = *reinterpret_cast<EditSearch*>(p);
  if (className(h) == "Edit" && IsWindowVisible(h)) {
    s.found = h;
    ++s.count;
  }
  return TRUE;
}

HWND editField(HWND dialog) {
  EditSearch search;
  EnumChildWindows(dialog, countEdit, reinterpret_cast<LPARAM>(&search));
  return search.count == 1 ? search.found : nullptr;
}

int saveFile(const std::string& path) {
  for (const Box& b : boxes())
    if (HWND edit = editField(b.hwnd)) {
      SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
      PostMessageA(b.hwnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(b.hwnd, IDOK)));
      std::puts("ok");
      return 0;
    }
  std::puts("error no file dialog");
  return 1;
}

BOOL CALLBACK printWindow(HWND h, LPARAM) {
  if (!IsWindowVisible(h)) return TRUE;
  RECT r{};
  GetClientRect(h, &r);
  POINT origin{0, 0};
  ClientToScreen(h, &origin);
  std::printf("%s\t%s\t%ldx%ld\t%ld,%ld\n", className(h).c_str(), escaped(windowText(h)).c_str(),
              r.right - r.left, r.bottom - r.top, origin.x, origin.y);
  return TRUE;
}

int listWindows() {
  EnumWindows(printWindow, 0);
  return 0;
}

// The number of entries of a process snapshot: the program counts the process ids instead, and
// the two ways must agree.
int countProcesses() {
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snap == INVALID_HANDLE_VALUE) return 1;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  int count = 0;
  for (BOOL more = Process32First(snap, &entry); more; more = Process32Next(snap, &entry)) ++count;
  CloseHandle(snap);
  std::printf("%d\n", count);
  return 0;
}

int makeRegistryLink(const std::string& key, const std::string& target) {
  HKEY link = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, REG_OPTION_CREATE_LINK,
                      KEY_ALL_ACCESS | KEY_CREATE_LINK, nullptr, &link, nullptr) != ERROR_SUCCESS)
    return 1;
  const std::wstring name = L"\\Registry\\Machine\\" + std::wstring(target.begin(), target.end());
  const LONG set = RegSetValueExW(link, L"SymbolicLinkValue", 0, REG_LINK,
                                  reinterpret_cast<const BYTE*>(name.data()),
                                  static_cast<DWORD>(name.size() * sizeof(wchar_t)));
  RegCloseKey(link);
  return set == ERROR_SUCCESS ? 0 : 1;
}

int versionStrings(const std::string& file) {
  platform::win32::Win32Processes processes;
  const auto strings = processes.versionStrings(file);
  if (!strings) return 1;
  for (const auto& [name, value] : *strings) std::printf("%s=%s\n", name.c_str(), value.c_str());
  return 0;
}

// The icon is the shell's by the window and the ID it was added with; a change of nothing at
// all succeeds only while it is there.
int tray(const std::string& what) {
  constexpr UINT kTrayId = 1005;
  HWND main = FindWindowA(kMainClass, nullptr);
  if (!main) return 2;
  if (what == "restart") {
    SendMessageTimeoutA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0,
                        SMTO_ABORTIFHUNG, 5000, nullptr);
    return 0;
  }
  NOTIFYICONDATAA data{};
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = main;
  data.uID = kTrayId;
  if (what == "remove") return Shell_NotifyIconA(NIM_DELETE, &data) ? 0 : 1;
  const bool present = Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
  std::printf("%s\n", present ? "present" : "absent");
  return 0;
}

// The process is found by its main window, so no other copy of the program is measured.
// GetProcessMemoryInfo lives in psapi.dll, which is looked up rather than linked.
bool memoryOf(HWND target, PROCESS_MEMORY_COUNTERS& counters) {
  DWORD id = 0;
  GetWindowThreadProcessId(target, &id);
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id);
  using Query = BOOL(WINAPI*)(HANDLE, PROCESS_MEMORY_COUNTERS*, DWORD);
  HMODULE psapi = LoadLibraryA("psapi.dll");
  auto query = psapi ? reinterpret_cast<Query>(
                           reinterpret_cast<void*>(GetProcAddress(psapi, "GetProcessMemoryInfo")))
                     : nullptr;
  counters = PROCESS_MEMORY_COUNTERS{};
  counters.cb = sizeof counters;
  const bool read = process && query && query(process, &counters, sizeof counters);
  if (process) CloseHandle(process);
  return read;
}

int printMemory() {
  HWND target = findMain(0);
  if (!target) return 2;
  PROCESS_MEMORY_COUNTERS counters;
  if (!memoryOf(target, counters)) {
    std::puts("error no memory counters");
    return 1;
  }
  auto kib = [](SIZE_T bytes) { return static_cast<unsigned long long>(bytes / 1024); };
  std::printf("ok %llu %llu %llu\n", kib(counters.WorkingSetSize), kib(counters.PeakWorkingSetSize),
              kib(counters.PagefileUsage));
  return 0;
}

// Runs the lines of standard input in one process, so a long walk through the windows costs
// no Wine start per step. A line is a request, whose reply must be ok; "wait <query> <value>",
// which asks "get <query>" until the value is that (a minute at most); or
// "memory", which prints the program's private bytes in KiB. Stops at the first line that
// fails, printing it and the reply.
int script(int waitSeconds) {
  HWND target = findMain(waitSeconds);
  if (!target) return 2;
  HWND self = makeReceiver();
  const auto ok = [] { return reply == "ok" || reply.compare(0, 3, "ok ") == 0; };
  const auto run = [&](const std::string& line) {
    if (line == "memory") {
      PROCESS_MEMORY_COUNTERS counters;
      if (!memoryOf(target, counters)) return false;
      std::printf("%llu\n", static_cast<unsigned long long>(counters.PagefileUsage / 1024));
      std::fflush(stdout);
      return true;
    }
    if (line.compare(0, 5, "wait ") != 0) return ask(target, self, line) && ok();
    const size_t blank = line.find(' ', 5);
    const std::string query = "get " + line.substr(5, blank - 5);
    const std::string wanted = blank == std::string::npos ? "ok" : "ok " + line.substr(blank + 1);
    for (const DWORD start = GetTickCount(); GetTickCount() - start < 60000; Sleep(20))
      if (ask(target, self, query) && reply == wanted) return true;
    return false;
  };
  char buffer[1024];
  int rc = 0;
  while (rc == 0 && std::fgets(buffer, sizeof buffer, stdin)) {
    std::string line(buffer);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    if (line.empty() || run(line)) continue;
    std::printf("error at \"%s\": %s\n", line.c_str(), replied ? escaped(reply).c_str() : "no reply");
    rc = 1;
  }
  DestroyWindow(self);
  return rc;
}

int usage() {
  std::fputs(
      "usage: qexctl [--wait SECONDS] \"<command>\" | --boxes | --answer <button> | --windows | "
      "--processes | --memory | --script\n"
      "       | --savefile <path>\n"
      "       | --samples SECONDS \"<command>\" | --start \"<command line>\"\n"
      "       | --process-list | --timed \"<command>\" \"<query>\" <prefix> <seconds>\n"
      "       | --gaps \"get <query>\" <prefix> <seconds> | --registry-link <key> <target>\n"
      "       | --version-strings <file> | --tray present|remove|restart\n",
      stderr);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  int wait = 0;
  if (args.size() >= 2 && args[0] == "--wait") {
    wait = std::atoi(args[1].c_str());
    args.erase(args.begin(), args.begin() + 2);
  }
  if (args.empty()) return usage();
  if (args[0] == "--boxes") return listBoxes();
  if (args[0] == "--windows") return listWindows();
  if (args[0] == "--processes") return countProcesses();
  if (args[0] == "--memory") return printMemory();
  if (args[0] == "--script") return script(wait);
  if (args[0] == "--answer") return args.size() == 2 ? answer(args[1]) : usage();
  if (args[0] == "--savefile") return args.size() == 2 ? saveFile(args[1]) : usage();
  if (args[0] == "--samples")
    return args.size() == 3 ? samples(args[2], std::atoi(args[1].c_str())) : usage();
  if (args[0] == "--start") return args.size() == 2 ? startProgram(args[1]) : usage();
  if (args[0] == "--process-list") return listProcesses();
  if (args[0] == "--tray") return args.size() == 2 ? tray(args[1]) : usage();
  if (args[0] == "--version-strings") return args.size() == 2 ? versionStrings(args[1]) : usage();
  if (args[0] == "--registry-link")
    return args.size() == 3 ? makeRegistryLink(args[1], args[2]) : usage();
  if (args[0] == "--gaps")
    return args.size() == 4 ? gaps(args[1], args[2], std::atoi(args[3].c_str())) : usage();
  if (args[0] == "--timed")
    return args.size() == 5 ? timed(args[1], args[2], args[3], std::atoi(args[4].c_str()))
                            : usage();
  std::string command = args[0];
  for (size_t i = 1; i < args.size(); ++i) command += " " + args[i];
  return request(command, wait);
}
