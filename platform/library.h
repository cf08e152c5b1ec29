// Loaded libraries and their named resources (the skin library), and sounds played from them.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

enum class ResourceType { Bitmap, Wave, Cursor };

// A loaded library (LoadLibraryA); unloaded on destruction.
class Library {
 public:
  virtual ~Library() = default;
  // The bytes of a named resource (names compare without regard to case): for bitmaps the
  // device-independent bitmap without its file header, for waves the RIFF file. They stay
  // where they are, unchanged, as long as the library is loaded: nothing is copied.
  virtual std::optional<std::string_view> resource(ResourceType type, const std::string& name) = 0;
  // The native module handle, for calls that need it (PlaySoundA).
  virtual uintptr_t handle() const = 0;
};

class Libraries {
 public:
  virtual ~Libraries() = default;
  // LoadLibraryA with the bare file name, so the system's search order applies.
  virtual std::unique_ptr<Library> load(const std::string& fileName) = 0;
};

class Sound {
 public:
  virtual ~Sound() = default;
  // PlaySoundA(name, library, SND_RESOURCE | SND_ASYNC): without SND_NODEFAULT, so a missing
  // resource plays the system's default sound.
  virtual void play(const Library& library, const std::string& name) = 0;
};

}  // namespace platform
