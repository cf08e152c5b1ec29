// Sockets over the POSIX calls, for the native build and its tests.
#pragma once

#include "platform/sockets.h"

namespace platform::posix {

class PosixSockets : public Sockets {
 public:
  std::unique_ptr<HostLookup> lookup(const std::string& host) override;
  std::unique_ptr<Socket> connect(uint32_t address, uint16_t port, SocketError& error) override;
};

}  // namespace platform::posix
