#include "online/connectionprobe.h"

namespace online {

void ConnectionProbe::start() {
  pending_ = std::async(std::launch::async, [&net = net_] { return net.connected(); });
}

bool ConnectionProbe::answer() {
  if (!pending_.valid()) start();
  return pending_.get();
}

}  // namespace online
