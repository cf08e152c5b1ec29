// The sockets contract on both layers: POSIX natively, Winsock under Wine. A listener made
// with the platform's own calls stands for the server.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

#ifdef QEX_CONTRACT_FAKE
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "platform/posix/posix_clock.h"
#include "platform/posix/posix_sockets.h"
using NativeSocket = int;
using Length = socklen_t;
using Implementation = platform::posix::PosixSockets;
// The fake clock stands still; waits beside real sockets need real time.
using RealClock = platform::posix::PosixClock;
void closeNative(NativeSocket s) { ::close(s); }
bool readable(NativeSocket s, int ms) {
  pollfd entry{s, POLLIN, 0};
  return ::poll(&entry, 1, ms) > 0;
}
#else
#include <winsock2.h>

#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_sockets.h"
using NativeSocket = SOCKET;
using Length = int;
using Implementation = platform::win32::Win32Sockets;
using RealClock = platform::win32::Win32Clock;
void closeNative(NativeSocket s) { closesocket(s); }
bool readable(NativeSocket s, int ms) {
  fd_set set;
  FD_ZERO(&set);
  FD_SET(s, &set);
  timeval tv{ms / 1000, (ms % 1000) * 1000};
  return select(0, &set, nullptr, nullptr, &tv) > 0;
}
#endif

#include "online/httpclient.h"
#include "tests/contract/env.h"

namespace {

using platform::HostLookup;
using platform::SocketError;
using platform::Transfer;
using platform::WaitResult;

constexpr uint32_t kLoopback = 0x7F000001;

// One listening socket on 127.0.0.1 and the connection it accepted.
class Listener {
 public:
  Listener() {
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = htonl(kLoopback);
    bind(listener_, reinterpret_cast<sockaddr*>(&at), sizeof at);
    listen(listener_, 4);
    Length size = sizeof at;
    getsockname(listener_, reinterpret_cast<sockaddr*>(&at), &size);
    port_ = ntohs(at.sin_port);
  }
  ~Listener() {
    if (accepted_) closeNative(peer_);
    closeNative(listener_);
  }
  uint16_t port() const { return port_; }
  bool accept(int ms = 2000) {
    if (!readable(listener_, ms)) return false;
    peer_ = ::accept(listener_, nullptr, nullptr);
    accepted_ = true;
    return true;
  }
  void send(const std::string& bytes) {
    ::send(peer_, bytes.data(), static_cast<int>(bytes.size()), 0);
  }
  bool accepted() const { return accepted_; }
  std::string receive(int ms = 2000) {
    char buffer[256];
    if (!readable(peer_, ms)) return "";
    int n = static_cast<int>(::recv(peer_, buffer, sizeof buffer, 0));
    return n > 0 ? std::string(buffer, static_cast<size_t>(n)) : "";
  }
  void hangUp() {
    closeNative(peer_);
    accepted_ = false;
  }
  void stopListening() {
    closeNative(listener_);
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
  }

 private:
  NativeSocket listener_;
  NativeSocket peer_{};
  bool accepted_ = false;
  uint16_t port_ = 0;
};

struct SocketsContract : ::testing::Test {
  Implementation sockets;  // first, so Winsock is up before the listener
  Listener server;

  std::unique_ptr<platform::Socket> connected() {
    SocketError error;
    auto socket = sockets.connect(kLoopback, server.port(), error);
    if (!socket) return nullptr;
    if (socket->waitWritable(2000, error) != WaitResult::Ready || !socket->connected(error))
      return nullptr;
    return socket;
  }
};

TEST_F(SocketsContract, DottedAddressesAnswerAtOnceAndNamesAreResolved) {
  auto dotted = sockets.lookup("127.0.0.1");
  EXPECT_EQ(dotted->wait(0), HostLookup::State::Found);
  EXPECT_EQ(dotted->address(), kLoopback);

  auto named = sockets.lookup("localhost");
  auto state = HostLookup::State::Pending;
  for (int i = 0; i < 500 && state == HostLookup::State::Pending; ++i) state = named->wait(10);
  ASSERT_EQ(state, HostLookup::State::Found);
  EXPECT_EQ(named->address() >> 24, 127u);

  auto missing = sockets.lookup("");
  state = HostLookup::State::Pending;
  for (int i = 0; i < 500 && state == HostLookup::State::Pending; ++i) state = missing->wait(10);
  EXPECT_EQ(state, HostLookup::State::NotFound);
}

TEST_F(SocketsContract, DataBothWaysThenTheEndOfTheStream) {
  auto socket = connected();
  ASSERT_TRUE(socket);
  ASSERT_TRUE(server.accept());

  Transfer sent = socket->send("ping", 4);
  EXPECT_EQ(sent.status, Transfer::Status::Done);
  EXPECT_EQ(sent.bytes, 4u);
  EXPECT_EQ(server.receive(), "ping");

  char buffer[16];
  EXPECT_EQ(socket->receive(buffer, sizeof buffer).status, Transfer::Status::WouldBlock);
  SocketError error;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(socket->waitReadable(100, error), WaitResult::TimedOut);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(90));

  server.send("pong");
  EXPECT_EQ(socket->waitReadable(2000, error), WaitResult::Ready);
  Transfer got = socket->receive(buffer, sizeof buffer);
  ASSERT_EQ(got.status, Transfer::Status::Done);
  EXPECT_EQ(std::string(buffer, got.bytes), "pong");

  server.hangUp();
  EXPECT_EQ(socket->waitReadable(2000, error), WaitResult::Ready);
  EXPECT_EQ(socket->receive(buffer, sizeof buffer).status, Transfer::Status::Closed);
}

TEST_F(SocketsContract, RefusedConnectionEndsTheWaitAndSaysWhy) {
  server.stopListening();
  SocketError error;
  auto socket = sockets.connect(kLoopback, server.port(), error);
  if (!socket) {
    EXPECT_NE(error.code, 0);  // refused outright
    return;
  }
  // Winsock needs a while to give up on a refused loopback connection.
  ASSERT_EQ(socket->waitWritable(5000, error), WaitResult::Ready);
  EXPECT_FALSE(socket->connected(error));
  EXPECT_NE(error.code, 0);
  EXPECT_FALSE(error.text.empty());
}

// The whole client over the real layer. The test's server runs inside the client's message
// processing, as a window's handlers would, so one thread does both sides.
struct HttpOverSockets : contract::Contract {
  Implementation sockets;
  RealClock clock;
  Listener server;
};

TEST_F(HttpOverSockets, GetWritesTheReplyBodyIntoAFile) {
  std::string request;
  bool answered = false;
  online::HttpClient client(sockets, sys().files(), clock, [&] {
    if (answered || (!server.accepted() && !server.accept(0))) return;
    request += server.receive(0);
    if (request.find("\r\n\r\n") == std::string::npos) return;
    server.send("HTTP/1.0 200 OK\r\nContent-Length: 11\r\n\r\nhello world");
    server.hangUp();
    answered = true;
  });
  client.TimeOut = 5000;
  client.InputFileMode = true;
  client.Body = scratchFolder() + "headlines.db";
  client.Get("http://127.0.0.1:" + std::to_string(server.port()) + "/today/headlines.db");

  EXPECT_EQ(request.substr(0, request.find("\r\n")), "GET /today/headlines.db HTTP/1.0");
  EXPECT_EQ(client.statusCode, 200);
  EXPECT_EQ(client.bytesReceived, 11);
  EXPECT_EQ(sys().files().readFile(client.Body, 100), "hello world");
}

}  // namespace
