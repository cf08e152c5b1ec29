// The headline file's bytes: whatever a download holds must read as whole records or none,
// and what was read must survive being written and read again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "online/headlines.h"
#include "online/headlinewriter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto records = online::parseHeadlines(bytes);
  // Every field costs at least its four length bytes.
  if (records.size() * 12 > size) std::abort();
  for (const auto& r : records) {
    if (r.text1.size() > online::kMaxHeadlineText1) std::abort();
    if (online::headlineTextProblem(r.text1, true) || online::headlineTextProblem(r.text2, false) ||
        online::headlineTextProblem(r.text3, false))
      std::abort();
  }
  const auto again = online::parseHeadlines(online::encodeHeadlines(records));
  if (again.size() != records.size()) std::abort();
  for (size_t i = 0; i < records.size(); ++i)
    if (again[i].text1 != records[i].text1 || again[i].text2 != records[i].text2 ||
        again[i].text3 != records[i].text3)
      std::abort();
  return 0;
}
