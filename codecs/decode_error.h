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

}  // namespace codecs
