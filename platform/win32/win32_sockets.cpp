#include "platform/win32/win32_sockets.h"

// Winsock's headers go before windows.h.
#include <winsock2.h>
#include <ws2tcpip.h>

#include <windows.h>

#include <cstring>

#include "platform/threaded_lookup.h"
#include "platform/win32/optional_api.h"

namespace platform::win32 {
namespace {

SocketError errorOf(int code) {
  SocketError error{code, {}};
  char text[512] = {};
  DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                           static_cast<DWORD>(code), 0, text, sizeof text, nullptr);
  while (n > 0 && (text[n - 1] == '\r' || text[n - 1] == '\n' || text[n - 1] == ' ')) --n;
  error.text = n > 0 ? std::string(text, n) : "Winsock error";
  return error;
}

SocketError lastError() { return errorOf(WSAGetLastError()); }

timeval timeoutOf(uint32_t ms) {
  timeval tv;
  tv.tv_sec = static_cast<long>(ms / 1000);
  tv.tv_usec = static_cast<long>(ms % 1000) * 1000;
  return tv;
}

// Winsock takes lengths as int.
int chunkOf(size_t size) { return size > 0x40000000u ? 0x40000000 : static_cast<int>(size); }

class Win32Socket : public Socket {
 public:
  explicit Win32Socket(SOCKET s) : s_(s) {}
  ~Win32Socket() override { closesocket(s_); }
  Win32Socket(const Win32Socket&) = delete;
  Win32Socket& operator=(const Win32Socket&) = delete;

  WaitResult waitReadable(uint32_t ms, SocketError& error) override {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(s_, &readable);
    timeval tv = timeoutOf(ms);
    return outcomeOf(select(0, &readable, nullptr, nullptr, &tv), error);
  }

  // A failed connection shows in the exception set, not the write set.
  WaitResult waitWritable(uint32_t ms, SocketError& error) override {
    fd_set writable, failed;
    FD_ZERO(&writable);
    FD_SET(s_, &writable);
    FD_ZERO(&failed);
    FD_SET(s_, &failed);
    timeval tv = timeoutOf(ms);
    return outcomeOf(select(0, nullptr, &writable, &failed, &tv), error);
  }

  bool connected(SocketError& error) override {
    int code = 0;
    int size = sizeof code;
    if (getsockopt(s_, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&code), &size) != 0)
      code = WSAGetLastError();
    if (code == 0) return true;
    error = errorOf(code);
    return false;
  }

  Transfer send(const char* data, size_t size) override {
    return transferOf(::send(s_, data, chunkOf(size), 0));
  }
  Transfer receive(char* data, size_t size) override {
    return transferOf(::recv(s_, data, chunkOf(size), 0));
  }

 private:
  SOCKET s_;

  static WaitResult outcomeOf(int n, SocketError& error) {
    if (n > 0) return WaitResult::Ready;
    if (n == 0) return WaitResult::TimedOut;
    error = lastError();
    return WaitResult::Failed;
  }

  static Transfer transferOf(int n) {
    return Transfer::of(n, [] { return WSAGetLastError() == WSAEWOULDBLOCK; }, [] { return lastError(); });
  }
};

// Winsock keeps what gethostbyname answers for each thread apart, so lookups on several
// threads do not meet.
std::optional<uint32_t> resolveByHostName(const std::string& host) {
  const hostent* entry = gethostbyname(host.c_str());
  if (!entry || entry->h_addrtype != AF_INET || entry->h_length != 4 || !entry->h_addr_list[0])
    return std::nullopt;
  in_addr address;
  memcpy(&address, entry->h_addr_list[0], sizeof address);
  return ntohl(address.s_addr);
}

std::optional<uint32_t> resolve(const std::string& host) {
  if (host.empty()) return std::nullopt;
  const OptionalApi& api = optionalApi();
  if (!api.getaddrinfo) return resolveByHostName(host);
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (api.getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || !found) return std::nullopt;
  uint32_t address = ntohl(reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr.s_addr);
  api.freeaddrinfo(found);
  return address;
}

}  // namespace

Win32Sockets::Win32Sockets() {
  WSADATA data;
  int code = WSAStartup(MAKEWORD(2, 2), &data);
  started_ = code == 0;
  if (!started_) startError_ = errorOf(code);
}

Win32Sockets::~Win32Sockets() {
  if (started_) WSACleanup();
}

std::unique_ptr<HostLookup> Win32Sockets::lookup(const std::string& host) {
  return startLookup(host, resolve);
}

std::unique_ptr<Socket> Win32Sockets::connect(uint32_t address, uint16_t port, SocketError& error) {
  if (!started_) {
    error = startError_;
    return nullptr;
  }
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (s == INVALID_SOCKET) {
    error = lastError();
    return nullptr;
  }
  auto owned = std::make_unique<Win32Socket>(s);
  u_long nonBlocking = 1;
  if (ioctlsocket(s, FIONBIO, &nonBlocking) != 0) {
    error = lastError();
    return nullptr;
  }
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(port);
  to.sin_addr.s_addr = htonl(address);
  if (::connect(s, reinterpret_cast<sockaddr*>(&to), sizeof to) != 0 &&
      WSAGetLastError() != WSAEWOULDBLOCK) {
    error = lastError();
    return nullptr;
  }
  return owned;
}

}  // namespace platform::win32
