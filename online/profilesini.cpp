#include "online/profilesini.h"

#include <algorithm>
#include <cctype>

namespace online {
namespace {

// MAX_PATH: no longer path can be opened.
constexpr size_t kMaxPath = 260;

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

// The name of a "[name]" line, if the line is one.
std::optional<std::string_view> sectionName(std::string_view line) {
  line = trim(line);
  if (line.size() < 2 || line.front() != '[') return std::nullopt;
  const size_t close = line.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return trim(line.substr(1, close - 1));
}

}  // namespace

std::optional<std::string> readProfilePath(std::string_view iniText) {
  bool inSection = false;
  while (!iniText.empty()) {
    const size_t end = std::min(iniText.find_first_of("\r\n"), iniText.size());
    const std::string_view line = iniText.substr(0, end);
    iniText.remove_prefix(std::min(end + 1, iniText.size()));

    if (auto name = sectionName(line)) {
      // The first section of the name is the one read, whether it holds the key or not.
      if (inSection) return std::nullopt;
      inSection = equalsNoCase(*name, "Profile0");
      continue;
    }
    const size_t eq = line.find('=');
    if (!inSection || eq == std::string_view::npos ||
        !equalsNoCase(trim(line.substr(0, eq)), "Path"))
      continue;
    std::string_view value = trim(line.substr(eq + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
      value = value.substr(1, value.size() - 2);
    return std::string(value);
  }
  return std::nullopt;
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
