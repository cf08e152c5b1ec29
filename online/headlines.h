// The headline file headlines.db that the news window downloads: records of three scrambled
// texts, back to back until the end of the file. By position, record 0 is the control record
// (version stamp, advert list), 1 the gallery, 2 the lead story, and the rest the headlines.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"

namespace online {

struct HeadlineRecord {
  std::string text1, text2, text3;
};

// text1 holds at most this many bytes; a longer one is cut, as the window's layout and
// lookups are made for no more.
inline constexpr size_t kMaxHeadlineText1 = 255;
// The real file is a few kilobytes; a download larger than this is not a headline file.
inline constexpr uint64_t kMaxHeadlineFile = 1024 * 1024;

// The records of a file's bytes. Each field is a 32-bit little-endian length L followed by L
// bytes: the scrambled text and a zero. The text is what comes before the first zero, or all
// L bytes when there is none. A length that is negative or runs past the end of the bytes is
// a cut file: the records before it are kept, the one it belongs to is dropped.
std::vector<HeadlineRecord> parseHeadlines(std::string_view bytes);

class HeadlineList {
 public:
  // Where Load says what was wrong with a file: the standard output by default. (Not through
  // a stream: the C++ streams need a runtime call that 98 SE's msvcrt lacks.)
  using Log = std::function<void(const char* line)>;
  static void toStandardOutput(const char* line);

  // Replaces the records with those of the file at path. A file that cannot be read, or is
  // too large, leaves the list empty and says so on log.
  void Load(platform::Files& files, const std::string& path, const Log& log = toStandardOutput);
  void Clear() { records_.clear(); }

  size_t count() const { return records_.size(); }
  const HeadlineRecord& at(size_t index) const { return records_.at(index); }

 private:
  std::vector<HeadlineRecord> records_;
};

}  // namespace online
