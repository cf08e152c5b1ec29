// The command line as another program may have written it: no crash, always a program name,
// and never more text out than came in (escapes and quotes only take characters away).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string line(reinterpret_cast<const char*>(data), size);
  const auto args = platform::splitCommandLine(line);
  if (args.empty()) std::abort();
  size_t total = 0;
  for (const auto& arg : args) total += arg.size();
  if (total > line.size()) std::abort();
  return 0;
}
