// Firefox's profiles.ini: the profile path read from any bytes is one line of them at most, and
// a path taken for a profile folder never climbs out of the Firefox folder or names a drive.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "online/profilesini.h"

namespace {

void checkFolder(const std::string& path) {
  if (!online::isProfileFolder(path)) return;
  if (path.empty() || path[0] == '\\' || path[0] == '/' || path.find(':') != std::string::npos ||
      path.size() >= 260)
    std::abort();
  const std::string wrapped = "/" + path + "/";
  for (const char* up : {"/../", "\\..\\", "/..\\", "\\../"})
    if (wrapped.find(up) != std::string::npos) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  if (auto path = online::readProfilePath(text)) {
    if (path->size() > size || path->find_first_of("\r\n") != std::string::npos) std::abort();
    checkFolder(*path);
  }
  checkFolder(text);
  return 0;
}
