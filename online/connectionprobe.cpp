#include "online/connectionprobe.h"

namespace online {

ConnectionProbe::~ConnectionProbe() { pending_.join(); }

void ConnectionProbe::start() {
  // The worker of a question nobody collected still writes reply_: it ends first.
  pending_.join();
  pending_ = platform::Thread([this] { reply_ = net_.connected(); });
}

bool ConnectionProbe::answer() {
  if (!pending_.joinable()) start();
  pending_.join();
  return reply_;
}

}  // namespace online
