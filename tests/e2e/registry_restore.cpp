// registry_restore: a scan on the real registry deletes listed keys and values of every type,
// and "regedit /s" of the scan's backup file puts them back byte for byte. Plants its keys
// under HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE and HKEY_CLASSES_ROOT, writes the signature lists
// into a program folder of its own under the temporary folder, runs the scan, checks what is
// gone, imports the backup and compares every key, value type and byte with what was planted.
// Prints one line per difference and "<n> failures" last; exit code 0 when there are none.
#include <windows.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "platform/win32/win32_services.h"
#include "scan/scanphases.h"
#include "scan/scanrun.h"
#include "scan/scramble.h"

namespace {

struct Planted {
  HKEY root;
  std::string path;
};

const Planted kTree{HKEY_CURRENT_USER, "Software\\QexRestore"};
const Planted kMachine{HKEY_LOCAL_MACHINE, "Software\\QexRestore"};
const Planted kClasses{HKEY_CLASSES_ROOT, "QexRestore.Type"};
const Planted kBrowser{HKEY_CURRENT_USER,
                       "Software\\microsoft\\internet explorer\\toolbar\\webbrowser"};
const Planted kRun{HKEY_LOCAL_MACHINE, "software\\microsoft\\windows\\currentversion\\run"};

int failures = 0;
void fail(const std::string& what) {
  std::printf("FAIL %s\n", what.c_str());
  ++failures;
}

// Every key below a key with every value as raw bytes: "path|name" -> type and bytes; a key
// alone is "path|" with type -1.
using Snapshot = std::map<std::string, std::pair<long, std::string>>;

void snapshot(HKEY root, const std::string& path, Snapshot& out) {
  HKEY key;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  out[path + "|"] = {-1, ""};
  char name[16384];
  for (DWORD i = 0;; ++i) {
    DWORD length = sizeof name, type = 0, size = 0;
    if (RegEnumValueA(key, i, name, &length, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
      break;
    std::string data(size, '\0');
    DWORD got = size;
    RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &got);
    data.resize(got);
    out[path + "|" + name] = {static_cast<long>(type), data};
  }
  std::vector<std::string> subkeys;
  for (DWORD i = 0;; ++i) {
    DWORD length = sizeof name;
    if (RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      break;
    subkeys.emplace_back(name, length);
  }
  RegCloseKey(key);
  for (const auto& sub : subkeys) snapshot(root, path + "\\" + sub, out);
}

Snapshot snapshotAll() {
  Snapshot all;
  for (const Planted* p : {&kTree, &kMachine, &kClasses}) snapshot(p->root, p->path, all);
  for (const Planted* p : {&kBrowser, &kRun}) {
    Snapshot fixed;
    snapshot(p->root, p->path, fixed);
    for (const auto& [name, value] : fixed)
      if (name.find("|Qex") != std::string::npos) all[name] = value;
  }
  return all;
}

void set(const Planted& at, const std::string& sub, const std::string& name, DWORD type,
         const std::string& data) {
  HKEY key;
  const std::string path = sub.empty() ? at.path : at.path + "\\" + sub;
  if (RegCreateKeyExA(at.root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    fail("cannot create " + path);
    return;
  }
  if (!(type == REG_NONE && name == "-"))
    RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                   static_cast<DWORD>(data.size()));
  RegCloseKey(key);
}

void plant() {
  const std::string z(1, '\0');
  std::string binary;
  for (int i = 0; i < 300; ++i) binary += static_cast<char>(i * 7);
  set(kTree, "BadTool", "", REG_SZ, "default" + z);
  set(kTree, "BadTool", "Path", REG_SZ, "C:\\Program Files\\Bad \"Tool\"\\bad.exe -x" + z);
  set(kTree, "BadTool", "Empty", REG_SZ, z);
  set(kTree, "BadTool", "Lines", REG_SZ, "one\r\ntwo" + z);
  set(kTree, "BadTool", "Zeros", REG_SZ, "a" + z + "b" + z);
  set(kTree, "BadTool", "Accents", REG_SZ, "caf\xE9 \xC4\xD6\xDC" + z);
  set(kTree, "BadTool", "Expand", REG_EXPAND_SZ, "%SystemRoot%\\bad.dll" + z);
  set(kTree, "BadTool", "Multi", REG_MULTI_SZ, "one" + z + "two" + z + z);
  set(kTree, "BadTool", "MultiEmpty", REG_MULTI_SZ, "");
  set(kTree, "BadTool", "Dword", REG_DWORD, std::string("\x2a\x00\x00\xfe", 4));
  set(kTree, "BadTool", "ShortDword", REG_DWORD, std::string("\x01\x02", 2));
  set(kTree, "BadTool", "Binary", REG_BINARY, binary);
  set(kTree, "BadTool", "NoBytes", REG_BINARY, "");
  set(kTree, "BadTool", "Qword", 11, std::string("\x01\x02\x03\x04\x05\x06\x07\x08", 8));
  set(kTree, "BadTool", "None", REG_NONE, "\x05");
  set(kTree, "BadTool", "Odd \\ \"name\" [x] = ;", REG_SZ, "v" + z);
  set(kTree, "BadTool\\Sub\\Deeper", "v", REG_SZ, "deep" + z);
  set(kTree, "BadTool\\Empty Key", "-", REG_NONE, "");
  set(kTree, "Neighbour", "kept", REG_SZ, "yes" + z);
  set(kMachine, "BadMachine", "m", REG_DWORD, std::string(4, '\x07'));
  set(kClasses, "", "", REG_SZ, "bad type" + z);
  set(kBrowser, "", "QexBar", REG_BINARY, std::string("\x01\x02\x03", 3));
  set(kBrowser, "", "QexKept", REG_SZ, "kept" + z);
  set(kRun, "", "QexRun", REG_SZ, "C:\\bad.exe" + z);
}

void removePlanted(platform::Registry& registry) {
  registry.deleteTree(platform::RegRoot::CurrentUser, kTree.path);
  registry.deleteTree(platform::RegRoot::LocalMachine, kMachine.path);
  registry.deleteTree(platform::RegRoot::ClassesRoot, kClasses.path);
  for (const Planted* p : {&kBrowser, &kRun}) {
    HKEY key;
    if (RegOpenKeyExA(p->root, p->path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) continue;
    for (const char* name : {"QexBar", "QexKept", "QexRun"}) RegDeleteValueA(key, name);
    RegCloseKey(key);
  }
}

struct Quiet : scan::ScanView {
  std::vector<std::string> rows;
  void showPhase(const std::string&) override {}
  void showItem(const std::string&, bool) override {}
  void showItemsScanned(const std::string&) override {}
  void pause(uint32_t) override {}
  void processMessages() override {}
  bool stopRequested() override { return false; }
  void fileFound(const std::string&, int32_t) override {}
  void keyFound(const std::string& caption, const std::string& state, int32_t) override {
    rows.push_back(caption + " " + state);
  }
  void keyRemovedLater(int32_t) override {}
  void detectionSound() override {}
  void listError(const std::string& message) override { fail(message); }
  void scanComplete(const End&) override {}
  bool confirmDeleteWithoutBackup(const std::string&) override { return false; }
  void tell(const std::string&) override {}
};

bool runRegedit(const std::string& file) {
  std::string command = "regedit.exe /s \"" + file + "\"";
  STARTUPINFOA start{};
  start.cb = sizeof start;
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start,
                      &info))
    return false;
  const bool ended = WaitForSingleObject(info.hProcess, 60000) == WAIT_OBJECT_0;
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return ended;
}

std::string hexOf(const std::string& bytes) {
  std::string out;
  char b[4];
  for (unsigned char c : bytes) {
    std::snprintf(b, sizeof b, "%02x ", c);
    out += b;
  }
  return out;
}

}  // namespace

int main() {
  platform::win32::Win32Services sys;
  removePlanted(sys.registry());
  plant();
  const Snapshot planted = snapshotAll();

  const std::string programDir = sys.system().tempPath() + "QexRestore\\";
  sys.files().createDirectory(programDir.substr(0, programDir.size() - 1));
  const std::vector<std::string> lines[7] = {{"nothing.exe"},
                                             {"\\QEXRESTORE.TYPE"},
                                             {"\\Software\\QexRestore\\BadMachine"},
                                             {"nothing"},
                                             {"\\software\\qexrestore\\badtool\\"},
                                             {"qexbar"},
                                             {"QexRun"}};
  for (size_t phase = 0; phase < 7; ++phase) {
    std::string bytes;
    for (const auto& line : lines[phase]) bytes += scan::scrambleText(line) + "\r\n";
    sys.files().writeFile(programDir + scan::kScanPhases[phase].listName, bytes);
  }

  Quiet view;
  scan::ScanRun run(scan::ScanSetup{sys.registry(), sys.files(), sys.system(), programDir,
                                    sys.system().windowsDirectory()},
                    view);
  if (run.run() != scan::ScanRun::State::Complete) fail("the scan did not complete");
  if (view.rows.size() != 3) fail("rows: " + std::to_string(view.rows.size()));
  for (const auto& row : view.rows)
    if (row.find(" Removed") == std::string::npos) fail("row " + row);

  const Snapshot scanned = snapshotAll();
  for (const char* gone :
       {"Software\\QexRestore\\BadTool|", "Software\\QexRestore\\BadMachine|", "QexRestore.Type|",
        "Software\\microsoft\\internet explorer\\toolbar\\webbrowser|QexBar",
        "software\\microsoft\\windows\\currentversion\\run|QexRun"})
    if (scanned.count(gone)) fail(std::string("not deleted: ") + gone);
  for (const char* kept : {"Software\\QexRestore\\Neighbour|kept",
                           "Software\\microsoft\\internet explorer\\toolbar\\webbrowser|QexKept"})
    if (!scanned.count(kept)) fail(std::string("deleted beside: ") + kept);

  std::printf("backup %s\n", run.backupFile().c_str());
  if (run.backupFile().empty() || !runRegedit(run.backupFile())) fail("regedit /s did not run");

  const Snapshot restored = snapshotAll();
  for (const auto& [name, value] : planted) {
    auto it = restored.find(name);
    if (it == restored.end())
      fail("not restored: " + name);
    else if (it->second != value)
      fail("differs: " + name + " type " + std::to_string(value.first) + " [" +
           hexOf(value.second) + "] came back as type " + std::to_string(it->second.first) + " [" +
           hexOf(it->second.second) + "]");
  }
  for (const auto& [name, value] : restored)
    if (!planted.count(name)) fail("more than planted: " + name);
  // The spelling of the deleted key's own name, which the list gave in other letters.
  HKEY parent;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\QexRestore", 0, KEY_READ, &parent) ==
      ERROR_SUCCESS) {
    char name[256];
    DWORD length = sizeof name;
    bool spelled = false;
    for (DWORD i = 0; RegEnumKeyExA(parent, i, name, &length, nullptr, nullptr, nullptr, nullptr) ==
                      ERROR_SUCCESS;
         ++i, length = sizeof name)
      spelled = spelled || std::string(name) == "BadTool";
    RegCloseKey(parent);
    if (!spelled) fail("BadTool lost its spelling");
  }

  removePlanted(sys.registry());
  std::printf("%zu values and keys compared\n%d failures\n", planted.size(), failures);
  return failures == 0 ? 0 : 1;
}
