#include "online/headlinewriter.h"

#include <cstdint>
#include <cstdio>

#include "scan/scramble.h"

namespace online {

namespace {

void appendField(std::string& bytes, const std::string& text) {
  const auto length = static_cast<uint32_t>(text.size() + 1);
  for (int i = 0; i < 4; ++i) bytes += static_cast<char>(length >> (8 * i) & 0xFF);
  bytes += scan::scrambleText(text);
  bytes += '\0';
}

}  // namespace

std::optional<std::string> headlineTextProblem(std::string_view text, bool firstField) {
  if (firstField && text.size() > kMaxHeadlineText1)
    return "is longer than " + std::to_string(kMaxHeadlineText1) + " bytes";
  // The key byte is stored as a zero and a zero as the key byte: either reads back as the end.
  for (char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (b == 0x00 || b == scan::kScrambleKey) {
      char problem[64];
      std::snprintf(problem, sizeof problem, "holds the byte 0x%02X, which would end the text there", b);
      return std::string(problem);
    }
  }
  return std::nullopt;
}

std::string encodeHeadlines(const std::vector<HeadlineRecord>& records) {
  std::string bytes;
  for (const auto& r : records) {
    appendField(bytes, r.text1);
    appendField(bytes, r.text2);
    appendField(bytes, r.text3);
  }
  return bytes;
}

}  // namespace online
