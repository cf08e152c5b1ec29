// Reading a whole file that comes from outside (a signature list, a downloaded headline file)
// with a ceiling on its size, telling apart the ways that can fail, since each of them is
// reported differently to the user.
#pragma once

#include <cstdint>
#include <string>

#include "platform/files.h"

namespace platform {

struct BoundedRead {
  enum class Status {
    Loaded,
    Missing,     // no file of that name (a folder of that name counts as none)
    Unreadable,  // the file is there but cannot be opened or read
    TooLarge,    // the file is larger than the ceiling and was not read
  };
  Status status = Status::Missing;
  std::string bytes;  // the content when Loaded
};

BoundedRead readBounded(Files& files, const std::string& path, uint64_t limit);

}  // namespace platform
