// Body source for the HTTP benchmarks: on 127.0.0.1, answers every request with a body of the
// given size and its Content-Length, one connection at a time, until the time limit.
//
//   bench_http_server BYTES SECONDS     (prints the port it listens on)
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void answer(int fd, unsigned long long bytes) {
  // The request is small; read what has come so closing does not reset the connection.
  char request[8192];
  pollfd entry{fd, POLLIN, 0};
  if (::poll(&entry, 1, 2000) > 0) ::recv(fd, request, sizeof request, 0);
  std::string head =
      "HTTP/1.0 200 OK\r\nContent-Type: application/octet-stream\r\nContent-Length: " +
      std::to_string(bytes) + "\r\n\r\n";
  if (::send(fd, head.data(), head.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(head.size()))
    return;
  std::vector<char> block(1 << 20, 'q');
  while (bytes > 0) {
    size_t n = bytes < block.size() ? static_cast<size_t>(bytes) : block.size();
    ssize_t sent = ::send(fd, block.data(), n, MSG_NOSIGNAL);
    if (sent <= 0) return;
    bytes -= static_cast<unsigned long long>(sent);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: bench_http_server BYTES SECONDS\n");
    return 2;
  }
  const unsigned long long bytes = std::strtoull(argv[1], nullptr, 10);
  const auto stop = std::chrono::steady_clock::now() + std::chrono::seconds(std::atoi(argv[2]));
  int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in at{};
  at.sin_family = AF_INET;
  at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof at;
  if (listener < 0 || ::bind(listener, reinterpret_cast<sockaddr*>(&at), sizeof at) != 0 ||
      ::listen(listener, 4) != 0 ||
      ::getsockname(listener, reinterpret_cast<sockaddr*>(&at), &size) != 0) {
    std::perror("bench_http_server");
    return 1;
  }
  std::printf("%u\n", ntohs(at.sin_port));
  std::fflush(stdout);
  while (std::chrono::steady_clock::now() < stop) {
    pollfd entry{listener, POLLIN, 0};
    if (::poll(&entry, 1, 100) <= 0) continue;
    int fd = ::accept(listener, nullptr, nullptr);
    if (fd < 0) continue;
    answer(fd, bytes);
    ::close(fd);
  }
  ::close(listener);
  return 0;
}
