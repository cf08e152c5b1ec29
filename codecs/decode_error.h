// The one failure of every picture decoder: the data is not a picture we can show. The text
// says why, for logs and tests; callers show their own words to the user.
#pragma once

#include <stdexcept>
#include <string>

namespace codecs {

class DecodeError : public std::runtime_error {
 public:
  explicit DecodeError(const std::string& why) : std::runtime_error(why) {}
};

// Pictures come from the network, so a file larger than this is refused before it is read.
constexpr uint64_t kMaxPictureFileBytes = 64ULL * 1024 * 1024;

}  // namespace codecs
