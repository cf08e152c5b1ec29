#include "tests/contract/env.h"

#ifdef QEX_CONTRACT_FAKE
#include "platform/fake/fake_services.h"
#else
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/win32/win32_services.h"
#endif

namespace contract {
namespace {

#ifdef QEX_CONTRACT_FAKE

platform::fake::FakeServices& fakes(platform::Services& s) { return static_cast<platform::fake::FakeServices&>(s); }

constexpr uint32_t kOwnPid = 4242;

class FakeVictim : public Victim {
 public:
  explicit FakeVictim(uint32_t pid) : pid_(pid) {}
  uint32_t pid() const override { return pid_; }

 private:
  uint32_t pid_;
};

#else

// A command interpreter reading commands from a pipe that never delivers any, so it runs
// until it is ended.
class CmdVictim : public Victim {
 public:
  explicit CmdVictim(std::string command) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    if (!CreatePipe(&read_, &write_, &inherit, 0)) return;
    SetHandleInformation(write_, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA start{};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdInput = read_;
    start.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    start.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    if (CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr,
                       &start, &info_))
      started_ = true;
  }
  ~CmdVictim() override {
    if (started_) {
      TerminateProcess(info_.hProcess, 1);
      CloseHandle(info_.hThread);
      CloseHandle(info_.hProcess);
    }
    if (read_) CloseHandle(read_);
    if (write_) CloseHandle(write_);
  }
  CmdVictim(const CmdVictim&) = delete;
  CmdVictim& operator=(const CmdVictim&) = delete;

  uint32_t pid() const override { return started_ ? info_.dwProcessId : 0; }

 private:
  HANDLE read_ = nullptr;
  HANDLE write_ = nullptr;
  PROCESS_INFORMATION info_{};
  bool started_ = false;
};

// One node of a version resource: length, value length, type, key, padding, value, padding,
// children; every length in bytes but a text value's, which counts its characters.
std::string versionNode(const std::wstring& key, const std::string& value, int valueLength,
                        bool text, const std::vector<std::string>& children) {
  auto pad = [](std::string& s) { s.resize((s.size() + 3) & ~size_t(3), '\0'); };
  std::string node(6, '\0');
  node.append(reinterpret_cast<const char*>(key.c_str()), (key.size() + 1) * sizeof(wchar_t));
  pad(node);
  node += value;
  for (const std::string& child : children) {
    pad(node);
    node += child;
  }
  const auto put = [&](size_t at, size_t v) {
    node[at] = static_cast<char>(v & 0xFF);
    node[at + 1] = static_cast<char>(v >> 8);
  };
  put(0, node.size());
  put(2, static_cast<size_t>(valueLength));
  put(4, text ? 1 : 0);
  return node;
}

std::string wideBytes(const std::string& text, bool terminated) {
  std::string out;
  for (char c : text) out += c, out += '\0';
  if (terminated) out.append(2, '\0');
  return out;
}

#endif

}  // namespace

void Contract::SetUp() {
#ifdef QEX_CONTRACT_FAKE
  auto services = std::make_unique<platform::fake::FakeServices>();
  services->fakeProcesses.running.push_back({kOwnPid, "contract_fake.exe", "contract_fake.exe"});
  services->fakeSystem.args = {"--gtest_color=no", "a b", "c\"d", "e\\f"};
  services->fakeSystem.program = "C:\\Tests\\contract_fake.exe";
  // Wine's prefixes are 64-bit Windows.
  services->fakeRegistry.sixtyFourBitWindows = true;
  services->fakeFiles.addFile(services->fakeSystem.program, "MZ");
  services_ = std::move(services);
#else
  services_ = std::make_unique<platform::win32::Win32Services>();
#endif
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::string base = sys().system().tempPath() + "QexContract";
  sys().files().createDirectory(base);
  scratch_ = base + "\\" + info->test_suite_name() + "." + info->name() + "\\";
  sys().files().createDirectory(scratch_);
  clearScratch();
}

void Contract::TearDown() { clearScratch(); }

void Contract::clearScratch() {
  sys().registry().deleteTree(platform::RegRoot::CurrentUser, kScratchKey);
  emptyFolder(scratch_);
}

// Files has no call for removing a folder, so that one step goes past it.
void Contract::emptyFolder(const std::string& folder) {
  platform::FindData entry;
  auto find = sys().files().findFirst(folder + "*", entry);
  for (bool more = find != nullptr; more; more = find->next(entry)) {
    if (entry.isDotEntry()) continue;
    const std::string path = folder + entry.name;
    if (!entry.isDirectory()) {
      sys().files().setAttributes(path, platform::kAttrNormal);
      sys().files().deleteFile(path);
      continue;
    }
    emptyFolder(path + "\\");
#ifdef QEX_CONTRACT_FAKE
    fakes(sys()).fakeFiles.remove(path);
#else
    RemoveDirectoryA(path.c_str());
#endif
  }
}

OwnProcess Contract::ownProcess() {
#ifdef QEX_CONTRACT_FAKE
  return {kOwnPid, "contract_fake.exe"};
#else
  const std::string path = sys().system().programPath();
  return {GetCurrentProcessId(), path.substr(path.find_last_of('\\') + 1)};
#endif
}

std::unique_ptr<Victim> Contract::startVictim() {
#ifdef QEX_CONTRACT_FAKE
  fakes(sys()).fakeProcesses.running.push_back({9001, "cmd.exe", "cmd.exe"});
  return std::make_unique<FakeVictim>(9001);
#else
  return std::make_unique<CmdVictim>("cmd.exe /q");
#endif
}

#ifndef QEX_CONTRACT_FAKE
std::unique_ptr<Victim> Contract::startSixtyFourBitVictim() {
  // Sysnative: the real System32 for a 32-bit program, which its own System32 is not.
  return std::make_unique<CmdVictim>(sys().system().windowsDirectory() + "\\Sysnative\\cmd.exe /q");
}
#endif

std::string Contract::versionedFile() {
  const std::string path = sys().system().windowsDirectory() + "\\system32\\kernel32.dll";
#ifdef QEX_CONTRACT_FAKE
  fakes(sys()).fakeFiles.addFile(path, "MZ");
  fakes(sys()).fakeProcesses.versions[path] = {
      {"CompanyName", "Microsoft Corporation"}, {"FileVersion", "5.1.2600.2180"},
      {"FileDescription", "Windows NT BASE API Client DLL"}};
#endif
  return path;
}

std::string Contract::libraryWithCopyright(const std::string& text, bool translated,
                                           bool terminated) {
  const std::string path = scratch_ + "versioned.dll";
#ifdef QEX_CONTRACT_FAKE
  (void)terminated;  // the fake keeps whole texts either way
  fakes(sys()).fakeFiles.addFile(path, "MZ");
  fakes(sys()).fakeProcesses.versions.erase(path);
  if (translated) fakes(sys()).fakeProcesses.versions[path] = {{"LegalCopyright", text}};
#else
  const auto chars = static_cast<int>(text.size() + (terminated ? 1 : 0));
  const std::string copyright =
      versionNode(L"LegalCopyright", wideBytes(text, terminated), chars, true, {});
  const std::string table = versionNode(L"040904b0", "", 0, true, {copyright});
  const std::string strings = versionNode(L"StringFileInfo", "", 0, true, {table});
  const std::string translation = translated ? std::string("\x09\x04\xb0\x04", 4) : std::string();
  const std::string translationNode =
      versionNode(L"Translation", translation, static_cast<int>(translation.size()), false, {});
  const std::string vars = versionNode(L"VarFileInfo", "", 0, true, {translationNode});
  VS_FIXEDFILEINFO fixed{};
  fixed.dwSignature = VS_FFI_SIGNATURE;
  fixed.dwStrucVersion = VS_FFI_STRUCVERSION;
  const std::string fixedBytes(reinterpret_cast<const char*>(&fixed), sizeof fixed);
  const std::string info =
      versionNode(L"VS_VERSION_INFO", fixedBytes, sizeof fixed, false, {vars, strings});
  // The string that ends unterminated comes last, so nothing of the resource follows it.
  if (!CopyFileA(skinLibrary().c_str(), path.c_str(), FALSE)) return path;
  HANDLE update = BeginUpdateResourceA(path.c_str(), FALSE);
  if (!update) return path;
  UpdateResourceA(update, MAKEINTRESOURCEA(16), MAKEINTRESOURCEA(1),
                  MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), const_cast<char*>(info.data()),
                  static_cast<DWORD>(info.size()));
  EndUpdateResourceA(update, FALSE);
#endif
  return path;
}

std::string Contract::skinLibrary() {
  const std::string path = sys().system().programDirectory() + "out\\ulmres.dll";
#ifdef QEX_CONTRACT_FAKE
  using platform::ResourceType;
  auto& libraries = fakes(sys()).fakeLibraries;
  std::string header(40, '\0');
  header[0] = 40;
  libraries.addResource(path, ResourceType::Bitmap, "ERROR", header);
  libraries.addResource(path, ResourceType::Wave, "WARNING", std::string("RIFF\0\0\0\0WAVEfmt ", 16));
#endif
  return path;
}

std::vector<std::string> Contract::runtimeArguments() {
#ifdef QEX_CONTRACT_FAKE
  return fakes(sys()).fakeSystem.args;
#else
  return std::vector<std::string>(__argv + 1, __argv + __argc);
#endif
}

bool Contract::makeRegistryLink(const std::string& path, const std::string& target) {
#ifdef QEX_CONTRACT_FAKE
  return fakes(sys()).fakeRegistry.createLink(platform::RegRoot::CurrentUser, path,
                                              platform::RegRoot::LocalMachine, target);
#else
  HKEY link = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_CREATE_LINK,
                      KEY_ALL_ACCESS | KEY_CREATE_LINK, nullptr, &link, nullptr) != ERROR_SUCCESS)
    return false;
  const std::wstring name = L"\\Registry\\Machine\\" + std::wstring(target.begin(), target.end());
  const LONG set = RegSetValueExW(link, L"SymbolicLinkValue", 0, REG_LINK,
                                  reinterpret_cast<const BYTE*>(name.data()),
                                  static_cast<DWORD>(name.size() * sizeof(wchar_t)));
  RegCloseKey(link);
  return set == ERROR_SUCCESS;
#endif
}

bool Contract::inSixtyFourBitView(const std::string& path) {
#ifdef QEX_CONTRACT_FAKE
  return fakes(sys()).fakeRegistry.open(platform::RegRoot::LocalMachine, path,
                                        platform::RegAccess::Read) != nullptr;
#else
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &key) !=
      ERROR_SUCCESS)
    return false;
  RegCloseKey(key);
  return true;
#endif
}

void Contract::settle() {
#ifndef QEX_CONTRACT_FAKE
  Sleep(300);
#endif
}

}  // namespace contract
