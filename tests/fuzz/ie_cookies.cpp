// An Internet Explorer cookie file's bytes: whatever another program left there, the walk ends,
// calls the window back at most once a line, and takes a member id only from the text.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "online/cookiereaders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  size_t calls = 0;
  const auto find = online::readIeCookies(text, [&] { ++calls; });
  const auto ends = static_cast<size_t>(std::count(text.begin(), text.end(), '\n') +
                                        std::count(text.begin(), text.end(), '\r'));
  if (calls > ends + 1) std::abort();
  if (find.memberId < 0) std::abort();
  if (find.memberId > 0 && text.find(std::to_string(find.memberId)) == std::string::npos)
    std::abort();
  return 0;
}
