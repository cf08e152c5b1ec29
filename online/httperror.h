// The error an HTTP request raises; the calling window decides what the user is told.
#pragma once

#include <stdexcept>
#include <string>

namespace online {

class HttpError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace online
