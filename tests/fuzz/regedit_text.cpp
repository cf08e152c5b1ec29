// Registry names and data as the scan's backup writes them: whatever a value holds, its text
// stays one value line (continued only by a backslash and two blanks), so nothing in a value
// can read as a key or value line of its own when the file is imported.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "scan/regedittext.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const std::string bytes(reinterpret_cast<const char*>(data) + 2, size - 2);
  const size_t split = data[1] <= bytes.size() ? data[1] : bytes.size();
  const std::string name = bytes.substr(0, split);
  const platform::RegValue value{data[0] % 12u, bytes.substr(split)};
  if (!scan::regeditCanName(name)) return 0;
  const std::string text = scan::regeditValueLines(name, value);
  if (text.size() < 2 || text.compare(text.size() - 2, 2, "\r\n") != 0) std::abort();
  // Every line end but the last continues hex data.
  const size_t last = text.size() - 2;
  for (size_t at = text.find('\r'); at < last; at = text.find('\r', at + 1)) {
    if (at == 0 || text[at - 1] != '\\' || text.compare(at, 4, "\r\n  ") != 0) std::abort();
    if (text.find_first_of(",0123456789abcdef", at + 4) != at + 4) std::abort();
  }
  // And no line feed stands on its own.
  if (std::count(text.begin(), text.end(), '\n') != std::count(text.begin(), text.end(), '\r'))
    std::abort();
  return 0;
}
