#include "tests/unit/loopback_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "platform/textcase.h"

namespace loopback {
namespace {

int listenOnLoopback(uint16_t& port, int backlog = 8, const std::string& address = "127.0.0.1") {
  int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) throw std::runtime_error("socket");
  int on = 1;
  ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  sockaddr_in at{};
  at.sin_family = AF_INET;
  socklen_t size = sizeof at;
  if (::inet_pton(AF_INET, address.c_str(), &at.sin_addr) != 1 ||
      ::bind(fd, reinterpret_cast<sockaddr*>(&at), sizeof at) != 0 || ::listen(fd, backlog) != 0 ||
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&at), &size) != 0) {
    ::close(fd);
    throw std::runtime_error("bind");
  }
  port = ntohs(at.sin_port);
  return fd;
}

size_t contentLength(const std::string& header) {
  for (size_t pos = 0; pos < header.size();) {
    size_t end = header.find("\r\n", pos);
    std::string line = header.substr(pos, end - pos);
    if (line.size() > 15 && platform::equalsAsciiNoCase(line.substr(0, 15), "Content-Length:"))
      return std::strtoul(line.c_str() + 15, nullptr, 10);
    if (end == std::string::npos) break;
    pos = end + 2;
  }
  return 0;
}

// The header up to its empty line and the body its Content-Length announces; whatever came
// when the client stops sending or two seconds pass.
std::string readRequest(int fd) {
  std::string request;
  size_t wanted = std::string::npos;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  while (request.size() < wanted && std::chrono::steady_clock::now() < deadline) {
    pollfd entry{fd, POLLIN, 0};
    if (::poll(&entry, 1, 50) <= 0) continue;
    char buffer[4096];
    ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
    if (n <= 0) break;
    request.append(buffer, static_cast<size_t>(n));
    size_t end = request.find("\r\n\r\n");
    if (wanted == std::string::npos && end != std::string::npos)
      wanted = end + 4 + contentLength(request.substr(0, end + 2));
  }
  return request;
}

}  // namespace

Connection::Connection(int fd, std::string request, const std::atomic<bool>& stopping,
                       std::mutex& lock, std::condition_variable& wake)
    : fd_(fd), request_(std::move(request)), stopping_(stopping), lock_(lock), wake_(wake) {}

void Connection::send(const std::string& bytes) {
  size_t sent = 0;
  while (sent < bytes.size() && !stopping_) {
    ssize_t n = ::send(fd_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) return;
    sent += static_cast<size_t>(n);
  }
}

void Connection::drip(const std::string& bytes) {
  int on = 1;
  ::setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
  for (char c : bytes) {
    if (stopping_ || ::send(fd_, &c, 1, MSG_NOSIGNAL) != 1) return;
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
}

void Connection::stall(int ms) {
  std::unique_lock<std::mutex> hold(lock_);
  wake_.wait_for(hold, std::chrono::milliseconds(ms), [&] { return stopping_.load(); });
}

Server::Server(Handler handler, std::string address)
    : handler_(std::move(handler)), address_(std::move(address)) {
  listener_ = listenOnLoopback(port_, 8, address_);
  thread_ = std::thread([this] { run(); });
}

Server::~Server() {
  {
    std::lock_guard<std::mutex> hold(lock_);
    stopping_ = true;
  }
  wake_.notify_all();
  thread_.join();
  ::close(listener_);
}

std::string Server::url(const std::string& path) const {
  return "http://" + address_ + ":" + std::to_string(port_) + path;
}

std::vector<std::string> Server::requests() const {
  std::lock_guard<std::mutex> hold(lock_);
  return requests_;
}

void Server::run() {
  while (!stopping_) {
    pollfd entry{listener_, POLLIN, 0};
    if (::poll(&entry, 1, 20) <= 0) continue;
    int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) continue;
    std::string request = readRequest(fd);
    {
      std::lock_guard<std::mutex> hold(lock_);
      requests_.push_back(request);
    }
    Connection connection(fd, std::move(request), stopping_, lock_, wake_);
    handler_(connection);
    ::close(fd);
  }
}

uint16_t unusedPort() {
  uint16_t port = 0;
  ::close(listenOnLoopback(port));
  return port;
}

Swallower::Swallower() {
  // A queue of none still takes one connection; the attempts after it wait.
  listener_ = listenOnLoopback(port_, 0);
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  to.sin_port = htons(port_);
  for (int i = 0; i < 3; ++i) {
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) throw std::runtime_error("socket");
    fillers_.push_back(fd);
    ::connect(fd, reinterpret_cast<sockaddr*>(&to), sizeof to);
    sockaddr_in at{};
    socklen_t size = sizeof at;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&at), &size);
    fillerPorts_.push_back(ntohs(at.sin_port));
  }
}

Swallower::~Swallower() {
  for (int fd : fillers_) ::close(fd);
  ::close(listener_);
}

int Swallower::attempts() const {
  std::ifstream table("/proc/net/tcp");
  std::string line;
  std::getline(table, line);  // the column names
  int found = 0;
  while (std::getline(table, line)) {
    std::istringstream fields(line);
    std::string slot, local, remote, state;
    fields >> slot >> local >> remote >> state;
    const auto portOf = [](const std::string& address) {
      return static_cast<uint16_t>(std::strtoul(address.substr(address.find(':') + 1).c_str(),
                                                nullptr, 16));
    };
    const bool sent = state == "02";  // SYN_SENT: no answer yet
    if (sent && portOf(remote) == port_ &&
        std::find(fillerPorts_.begin(), fillerPorts_.end(), portOf(local)) == fillerPorts_.end())
      ++found;
  }
  return found;
}

}  // namespace loopback
