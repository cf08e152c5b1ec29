// The connection test of the dashboard: an address nobody answers on is reported offline,
// and the answer comes without a long wait.
#include "tests/contract/env.h"

namespace {

class NetContract : public contract::Contract {};

TEST_F(NetContract, AClosedLoopbackPortIsOffline) {
  const uint64_t before = sys().clock().tickMs();
  EXPECT_FALSE(sys().net().checkConnection("http://127.0.0.1:9/"));
  EXPECT_LT(sys().clock().tickMs() - before, 10000u);
}

}  // namespace
