// Sockets over Winsock. The object owns the Winsock session (WSAStartup and WSACleanup), so it
// must outlive every socket it makes.
#pragma once

#include "platform/sockets.h"

namespace platform::win32 {

class Win32Sockets : public Sockets {
 public:
  Win32Sockets();
  ~Win32Sockets() override;
  Win32Sockets(const Win32Sockets&) = delete;
  Win32Sockets& operator=(const Win32Sockets&) = delete;

  std::unique_ptr<HostLookup> lookup(const std::string& host) override;
  std::unique_ptr<Socket> connect(uint32_t address, uint16_t port, SocketError& error) override;

 private:
  bool started_ = false;
  SocketError startError_;
};

}  // namespace platform::win32
