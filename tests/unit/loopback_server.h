// A real HTTP server on loopback (127.0.0.1, or another address of 127/8 for a second host)
// for the client's tests. Each connection's request is read
// whole (header and Content-Length body) and handed to the test's handler, which answers with
// exact bytes, drips them, stalls or closes early; the connection closes when it returns.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace loopback {

class Connection {
 public:
  Connection(int fd, std::string request, const std::atomic<bool>& stopping, std::mutex& lock,
             std::condition_variable& wake);
  const std::string& request() const { return request_; }
  void send(const std::string& bytes);
  // One byte per write, so the client sees the reply in as many pieces as it can.
  void drip(const std::string& bytes);
  // Sends nothing for ms, or until the server is stopped.
  void stall(int ms);

 private:
  int fd_;
  std::string request_;
  const std::atomic<bool>& stopping_;
  std::mutex& lock_;
  std::condition_variable& wake_;
};

class Server {
 public:
  using Handler = std::function<void(Connection&)>;
  explicit Server(Handler handler, std::string address = "127.0.0.1");
  ~Server();
  Server(const Server&) = delete;
  Server& operator=(const Server&) = delete;

  uint16_t port() const { return port_; }
  // "http://<address>:<port>" followed by path.
  std::string url(const std::string& path) const;
  // Every request received so far, in order.
  std::vector<std::string> requests() const;

 private:
  Handler handler_;
  std::string address_;
  int listener_ = -1;
  uint16_t port_ = 0;
  std::atomic<bool> stopping_{false};
  mutable std::mutex lock_;
  std::condition_variable wake_;
  std::vector<std::string> requests_;
  std::thread thread_;

  void run();
};

// A port on 127.0.0.1 that nothing listens on.
uint16_t unusedPort();

// A listener on 127.0.0.1 whose queue is full, so that every further connection attempt is
// left unanswered, as behind a firewall that drops packets: the system keeps trying for minutes.
class Swallower {
 public:
  Swallower();
  ~Swallower();
  Swallower(const Swallower&) = delete;
  Swallower& operator=(const Swallower&) = delete;

  uint16_t port() const { return port_; }
  // Attempts to reach it still on their way, besides its own (from Linux's table of sockets).
  int attempts() const;

 private:
  int listener_ = -1;
  uint16_t port_ = 0;
  std::vector<int> fillers_;
  std::vector<uint16_t> fillerPorts_;
};

}  // namespace loopback
