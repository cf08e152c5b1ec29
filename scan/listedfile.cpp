#include "scan/listedfile.h"

#include <cstring>

namespace scan {
namespace {

bool separator(char c) { return c == '\\' || c == '/'; }

bool forbidden(char c) {
  return static_cast<unsigned char>(c) < 0x20 || std::strchr(":*?\"<>|", c) != nullptr;
}

std::string upper(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

// Windows opens a device for these names whatever folder and extension they come with, and
// drops trailing dots and blanks before it compares.
bool deviceName(const std::string& name) {
  std::string base = upper(name.substr(0, name.find('.')));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$"};
  for (const char* device : kDevices)
    if (base == device) return true;
  return base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) &&
         base[3] >= '1' && base[3] <= '9';
}

bool acceptableName(const std::string& name) {
  if (name.find_first_not_of(". ") == std::string::npos) return false;  // ".", "..", "...", " "
  return !deviceName(name);
}

}  // namespace

bool namesFileInside(const std::string& line) {
  if (line.empty() || separator(line.front())) return false;
  for (char c : line)
    if (forbidden(c)) return false;
  size_t start = 0;
  for (size_t i = 0; i <= line.size(); ++i) {
    if (i < line.size() && !separator(line[i])) continue;
    if (!acceptableName(line.substr(start, i - start))) return false;
    start = i + 1;
  }
  return true;
}

}  // namespace scan
