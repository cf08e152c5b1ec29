#include "online/headlines.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <utility>

#include "platform/bounded_read.h"
#include "scan/scramble.h"

namespace online {

namespace {

// Reads one field at pos and moves past it; nullopt when the bytes end inside it.
std::optional<std::string> readField(std::string_view bytes, size_t& pos) {
  if (bytes.size() - pos < 4) return std::nullopt;
  uint32_t raw = 0;
  for (int i = 3; i >= 0; --i) raw = raw << 8 | static_cast<unsigned char>(bytes[pos + i]);
  const auto length = static_cast<int32_t>(raw);
  pos += 4;
  if (length < 0 || static_cast<uint64_t>(length) > bytes.size() - pos) return std::nullopt;
  const auto stored = bytes.substr(pos, static_cast<size_t>(length));
  pos += static_cast<size_t>(length);
  return scan::UnscrambleText(stored.substr(0, stored.find('\0')));
}

}  // namespace

std::vector<HeadlineRecord> parseHeadlines(std::string_view bytes) {
  std::vector<HeadlineRecord> records;
  size_t pos = 0;
  while (pos < bytes.size()) {
    auto text1 = readField(bytes, pos);
    if (!text1) break;
    auto text2 = readField(bytes, pos);
    if (!text2) break;
    auto text3 = readField(bytes, pos);
    if (!text3) break;
    text1->resize(std::min(text1->size(), kMaxHeadlineText1));
    records.push_back({std::move(*text1), std::move(*text2), std::move(*text3)});
  }
  return records;
}

void HeadlineList::toStandardOutput(const char* line) { std::fputs(line, stdout); }

void HeadlineList::Load(platform::Files& files, const std::string& path, const Log& log) {
  records_.clear();
  auto read = platform::readBounded(files, path, kMaxHeadlineFile);
  switch (read.status) {
    case platform::BoundedRead::Status::Loaded:
      records_ = parseHeadlines(read.bytes);
      break;
    case platform::BoundedRead::Status::TooLarge:
      log("Headline file too large.\n");
      break;
    default:
      log("Error opening Headline file.\n");
      break;
  }
}

}  // namespace online
