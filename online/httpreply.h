// Reading a reply as its bytes arrive, in pieces of any size: the status line, the header
// lines up to the empty line, and the framing of the body that follows. Fed from a buffer, so
// it is tested and fuzzed without a socket.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace online {

// A server's header has no business being larger; past these the reply is refused.
constexpr size_t kMaxHeaderLine = 64 * 1024;
constexpr size_t kMaxHeader = 256 * 1024;

class HttpReplyReader {
 public:
  // Takes bytes until the header is complete and returns how many it used; the rest of the
  // piece is body. Throws HttpError when a line or the header passes its bound.
  size_t readHeader(const char* data, size_t size);
  // The connection ended before the empty line: an unfinished line still counts.
  void endHeader();
  bool headerDone() const { return done_; }

  // Of the body bytes that arrive, how many belong to the body: all of them, or no more
  // than Content-Length allows. Counts them as received.
  size_t takeBody(size_t available);
  bool bodyComplete() const { return done_ && length_ && received_ >= *length_; }
  // The connection ended: throws HttpError when Content-Length promised more.
  void endBody() const;

  int statusCode() const { return status_; }
  std::optional<int64_t> contentLength() const { return length_; }
  int64_t received() const { return received_; }
  const std::string& header() const { return header_; }
  const std::string& location() const { return location_; }
  const std::string& cookie() const { return cookie_; }

 private:
  std::string header_;
  std::string line_;
  bool statusRead_ = false;
  bool done_ = false;
  int status_ = 0;
  std::optional<int64_t> length_;
  int64_t received_ = 0;
  std::string location_;
  std::string cookie_;

  void finishLine();
};

}  // namespace online
