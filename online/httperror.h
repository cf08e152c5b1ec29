// The error an HTTP request raises; the calling window decides what the user is told.
#pragma once

#include <stdexcept>
#include <string>

namespace online {

class HttpError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The reply arrived but could not be stored in the file it was to go to: a fault of the
// computer's own, not of the connection.
class HttpFileError : public HttpError {
 public:
  HttpFileError(const std::string& what, std::string path) : HttpError(what + " " + path), path_(std::move(path)) {}
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace online
