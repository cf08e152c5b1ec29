#include "platform/win32/win32_library.h"

#include "platform/win32/win32_handle.h"

#include <mmsystem.h>

namespace platform::win32 {
namespace {

// Cursors are found by the name of their group; the images inside carry numbers only.
LPCSTR typeOf(ResourceType type) {
  switch (type) {
    case ResourceType::Bitmap: return MAKEINTRESOURCEA(2);         // RT_BITMAP
    case ResourceType::Wave: return "WAVE";
    case ResourceType::Cursor: return MAKEINTRESOURCEA(12);        // RT_GROUP_CURSOR
  }
  return MAKEINTRESOURCEA(2);
}

class Win32Library : public Library {
 public:
  explicit Win32Library(HMODULE module) : module_(module) {}

  std::optional<std::string_view> resource(ResourceType type, const std::string& name) override {
    HRSRC found = FindResourceA(module_.get(), name.c_str(), typeOf(type));
    if (!found) return std::nullopt;
    const DWORD size = SizeofResource(module_.get(), found);
    HGLOBAL loaded = LoadResource(module_.get(), found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return std::nullopt;
    return std::string_view(static_cast<const char*>(bytes), size);
  }

  uintptr_t handle() const override { return reinterpret_cast<uintptr_t>(module_.get()); }

 private:
  Module module_;
};

}  // namespace

std::unique_ptr<Library> Win32Libraries::load(const std::string& fileName) {
  HMODULE module = LoadLibraryA(fileName.c_str());
  if (!module) return nullptr;
  return std::make_unique<Win32Library>(module);
}

void Win32Sound::play(const Library& library, const std::string& name) {
  PlaySoundA(name.c_str(), reinterpret_cast<HMODULE>(library.handle()), SND_RESOURCE | SND_ASYNC);
}

}  // namespace platform::win32
