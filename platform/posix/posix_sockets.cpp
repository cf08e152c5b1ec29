#include "platform/posix/posix_sockets.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

#include "platform/threaded_lookup.h"

namespace platform::posix {
namespace {

SocketError errorOf(int code) { return SocketError{code, std::strerror(code)}; }

class PosixSocket : public Socket {
 public:
  explicit PosixSocket(int fd) : fd_(fd) {}
  ~PosixSocket() override { ::close(fd_); }
  PosixSocket(const PosixSocket&) = delete;
  PosixSocket& operator=(const PosixSocket&) = delete;

  WaitResult waitReadable(uint32_t ms, SocketError& error) override {
    return waitFor(POLLIN, ms, error);
  }
  WaitResult waitWritable(uint32_t ms, SocketError& error) override {
    return waitFor(POLLOUT, ms, error);
  }

  bool connected(SocketError& error) override {
    int code = 0;
    socklen_t size = sizeof code;
    if (::getsockopt(fd_, SOL_SOCKET, SO_ERROR, &code, &size) != 0) code = errno;
    if (code == 0) return true;
    error = errorOf(code);
    return false;
  }

  Transfer send(const char* data, size_t size) override {
    return outcome(::send(fd_, data, size, MSG_NOSIGNAL));
  }
  Transfer receive(char* data, size_t size) override { return outcome(::recv(fd_, data, size, 0)); }

 private:
  int fd_;

  WaitResult waitFor(short events, uint32_t ms, SocketError& error) {
    pollfd entry{fd_, events, 0};
    int timeout = ms > static_cast<uint32_t>(INT_MAX) ? INT_MAX : static_cast<int>(ms);
    int n = ::poll(&entry, 1, timeout);
    if (n > 0) return WaitResult::Ready;
    if (n == 0 || errno == EINTR) return WaitResult::TimedOut;
    error = errorOf(errno);
    return WaitResult::Failed;
  }

  static Transfer outcome(ssize_t n) {
    return Transfer::of(
        n, [] { return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR; }, [] { return errorOf(errno); });
  }
};

std::optional<uint32_t> resolve(const std::string& host) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (host.empty() || ::getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || !found)
    return std::nullopt;
  uint32_t address = ntohl(reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr.s_addr);
  ::freeaddrinfo(found);
  return address;
}

}  // namespace

std::unique_ptr<HostLookup> PosixSockets::lookup(const std::string& host) {
  return startLookup(host, resolve);
}

std::unique_ptr<Socket> PosixSockets::connect(uint32_t address, uint16_t port, SocketError& error) {
  int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) {
    error = errorOf(errno);
    return nullptr;
  }
  auto socket = std::make_unique<PosixSocket>(fd);
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(port);
  to.sin_addr.s_addr = htonl(address);
  if (::connect(fd, reinterpret_cast<sockaddr*>(&to), sizeof to) != 0 && errno != EINPROGRESS) {
    error = errorOf(errno);
    return nullptr;
  }
  return socket;
}

}  // namespace platform::posix
