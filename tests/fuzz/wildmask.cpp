// Masks reach the finder from its callers; any bytes must either match or fail with
// MaskError, never crash or run away. Input: the mask, a newline, the name.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "cleanup/wildmask.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  size_t cut = input.find('\n');
  std::string mask = input.substr(0, cut);
  std::string name = cut == std::string::npos ? "" : input.substr(cut + 1);
  cleanup::WildMask compiled(mask);
  try {
    compiled.matches(name);
    if (!compiled.valid()) std::abort();  // a malformed mask must not match quietly
    // Text without wildcards stands for itself.
    if (mask.find_first_of("*?[") == std::string::npos && !compiled.matches(mask)) std::abort();
    if (!cleanup::WildMask("*").matches(name)) std::abort();
  } catch (const cleanup::MaskError&) {
    if (compiled.valid()) std::abort();
  }
  return 0;
}
