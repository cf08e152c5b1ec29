// A Firefox cookies.txt's bytes: the walk ends, calls the window back at most once a line, and
// takes a member id only from a line of the community host's own.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "online/cookiereaders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::string host = "community.orvanta.example";
  size_t calls = 0;
  const auto find = online::readFirefoxCookies(text, host, [&] { ++calls; });
  const auto ends = static_cast<size_t>(std::count(text.begin(), text.end(), '\n') +
                                        std::count(text.begin(), text.end(), '\r'));
  if (calls > ends + 1) std::abort();
  if (find.memberId < 0) std::abort();
  if (find.memberId > 0) {
    std::string lower = text;
    for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (lower.find(host + "\t") == std::string::npos ||
        text.find(std::to_string(find.memberId)) == std::string::npos)
      std::abort();
  }
  return 0;
}
