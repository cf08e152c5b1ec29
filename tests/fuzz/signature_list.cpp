// A signature list's bytes: line splitting, the entries kept, and unscrambling each of them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "scan/scramble.h"
#include "scan/signatures.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto list = scan::parseSignatureList(bytes);
  if (list.lines.size() + list.passedOver != scan::splitLines(bytes).size()) std::abort();
  for (const auto& line : list.lines) {
    if (line.empty() || line.size() > scan::kMaxSignatureLine) std::abort();
    if (line.find_first_of("\r\n") != std::string::npos) std::abort();
    // An entry unscrambles whole: no byte of it comes out as a zero.
    const auto plain = scan::UnscrambleText(line);
    if (plain.size() != line.size() || scan::scrambleText(plain) != line) std::abort();
  }
  return 0;
}
