#include "platform/win32/optional_api.h"

namespace platform::win32 {
namespace {

template <typename Fn>
void lookUp(HMODULE module, const char* name, Fn& entry) {
  entry = module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                 : nullptr;
}

OptionalApi lookedUp() {
  OptionalApi api;
  // ntdll and kernel32 are loaded into every process that has them, so the handles need no
  // reference.
  lookUp(GetModuleHandleA("ntdll.dll"), "NtDeleteKey", api.NtDeleteKey);
  lookUp(GetModuleHandleA("kernel32.dll"), "IsWow64Process", api.IsWow64Process);
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
