#include "tests/contract/env.h"

#ifdef QEX_CONTRACT_FAKE
#include "platform/fake/fake_services.h"
#else
#include <windows.h>

#include <cstdlib>

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
  CmdVictim() {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    if (!CreatePipe(&read_, &write_, &inherit, 0)) return;
    SetHandleInformation(write_, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA start{};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdInput = read_;
    start.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    start.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    char command[] = "cmd.exe /q";
    if (CreateProcessA(nullptr, command, nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr,
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

#endif

}  // namespace

void Contract::SetUp() {
#ifdef QEX_CONTRACT_FAKE
  auto services = std::make_unique<platform::fake::FakeServices>();
  services->fakeProcesses.running.push_back({kOwnPid, "contract_fake.exe", "contract_fake.exe"});
  services->fakeSystem.args = {"--gtest_color=no", "a b", "c\"d", "e\\f"};
  services->fakeSystem.program = "C:\\Tests\\contract_fake.exe";
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
  return std::make_unique<CmdVictim>();
#endif
}

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

void Contract::settle() {
#ifndef QEX_CONTRACT_FAKE
  Sleep(300);
#endif
}

}  // namespace contract
