// TCP over IPv4 for the HTTP client: host lookup, connect, send and receive without blocking,
// and waits bounded by a time-out, so a caller can wait in short slices and keep its window
// messages flowing in between. Every call reports what happened; nothing throws.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace platform {

// The system's error number (errno, or WSAGetLastError) and its description.
struct SocketError {
  int code = 0;
  std::string text;
};

// The outcome of one send or receive on a non-blocking socket.
struct Transfer {
  enum class Status { Done, WouldBlock, Closed, Failed };
  Status status = Status::Failed;
  size_t bytes = 0;   // moved, when Done (never 0 then)
  SocketError error;  // when Failed

  // What a send or receive that returned n means; for n < 0, the platform says whether the
  // call would only have blocked and, if not, which error it was.
  template <typename WouldBlock, typename LastError>
  static Transfer of(long long n, WouldBlock wouldBlock, LastError lastError) {
    Transfer t;
    if (n > 0) {
      t.status = Status::Done;
      t.bytes = static_cast<size_t>(n);
    } else if (n == 0) {
      t.status = Status::Closed;
    } else if (wouldBlock()) {
      t.status = Status::WouldBlock;
    } else {
      t.error = lastError();
    }
    return t;
  }
};

enum class WaitResult { Ready, TimedOut, Failed };

// A connected or connecting stream socket; closed on destruction.
class Socket {
 public:
  virtual ~Socket() = default;

  // Until data, the end of the stream or an error can be read.
  virtual WaitResult waitReadable(uint32_t ms, SocketError& error) = 0;
  // Until data can be written, or a connection attempt has ended either way.
  virtual WaitResult waitWritable(uint32_t ms, SocketError& error) = 0;
  // After waitWritable was Ready on a new socket: whether the connection was made.
  virtual bool connected(SocketError& error) = 0;

  virtual Transfer send(const char* data, size_t size) = 0;
  // Closed means the peer ended the stream.
  virtual Transfer receive(char* data, size_t size) = 0;
};

// A host name being resolved in the background.
class HostLookup {
 public:
  virtual ~HostLookup() = default;
  enum class State { Pending, Found, NotFound };
  // Waits up to ms for the answer; Pending when it has not come yet.
  virtual State wait(uint32_t ms) = 0;
  // The IPv4 address in host byte order, once Found.
  virtual uint32_t address() const = 0;
};

class Sockets {
 public:
  virtual ~Sockets() = default;
  // A dotted address is Found at once, without asking a name server.
  virtual std::unique_ptr<HostLookup> lookup(const std::string& host) = 0;
  // Starts a connection without waiting for it; null, with the reason, when no socket could
  // be made or the attempt failed outright.
  virtual std::unique_ptr<Socket> connect(uint32_t address, uint16_t port, SocketError& error) = 0;
};

}  // namespace platform
