#include "platform/bounded_read.h"

#include <utility>

namespace platform {

BoundedRead readBounded(Files& files, const std::string& path, uint64_t limit) {
  BoundedRead result;
  if (!files.fileExists(path)) return result;
  if (auto bytes = files.readFile(path, limit)) {
    result.status = BoundedRead::Status::Loaded;
    result.bytes = std::move(*bytes);
    return result;
  }
  // readFile does not say why it failed; the file's own find record tells a file that is
  // merely too large from one that cannot be read at all.
  FindData record;
  const bool tooLarge = files.findFirst(path, record) && record.size > limit;
  result.status = tooLarge ? BoundedRead::Status::TooLarge : BoundedRead::Status::Unreadable;
  return result;
}

}  // namespace platform
