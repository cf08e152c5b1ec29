// Libraries through LoadLibraryA and their resources; sounds through PlaySoundA.
#pragma once

#include "platform/library.h"

namespace platform::win32 {

class Win32Libraries : public Libraries {
 public:
  std::unique_ptr<Library> load(const std::string& fileName) override;
};

class Win32Sound : public Sound {
 public:
  // SND_RESOURCE | SND_ASYNC (0x40005).
  void play(const Library& library, const std::string& name) override;
};

}  // namespace platform::win32
