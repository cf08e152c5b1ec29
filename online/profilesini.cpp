#include "online/profilesini.h"

#include <algorithm>

#include "platform/inifile.h"

namespace online {
namespace {

// MAX_PATH: no longer path can be opened.
constexpr size_t kMaxPath = 260;

}  // namespace

std::optional<std::string> readProfilePath(std::string_view iniText) {
  return platform::IniText(std::string(iniText)).get("Profile0", "Path");
}

bool isProfileFolder(std::string_view path) {
  if (path.empty() || path.size() >= kMaxPath) return false;
  if (path.front() == '\\' || path.front() == '/' || path.find(':') != std::string_view::npos)
    return false;
  while (!path.empty()) {
    const size_t end = std::min(path.find_first_of("\\/"), path.size());
    // A step of dots and blanks alone other than "." is refused as well: Windows drops trailing
    // dots and blanks from names, so such a step need not stay where it seems to.
    const std::string_view step = path.substr(0, end);
    if (step != "." && step.find_first_not_of(". ") == std::string_view::npos &&
        step.find('.') != std::string_view::npos)
      return false;
    path.remove_prefix(std::min(end + 1, path.size()));
  }
  return true;
}

}  // namespace online
