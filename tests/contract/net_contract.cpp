// The connection test of the dashboard: an address nobody answers on is reported offline,
// once, and soon.
#include <chrono>
#include <future>
#include <memory>

#include "tests/contract/env.h"

namespace {

class NetContract : public contract::Contract {};

TEST_F(NetContract, AClosedLoopbackPortIsOfflineAnsweredOnce) {
  auto answers = std::make_shared<std::promise<bool>>();
  std::future<bool> answer = answers->get_future();
  // A second answer would throw from set_value on whichever thread gave it.
  sys().net().checkConnection("http://127.0.0.1:9/", [answers](bool reachable) { answers->set_value(reachable); });
  ASSERT_EQ(answer.wait_for(std::chrono::seconds(30)), std::future_status::ready);
  EXPECT_FALSE(answer.get());
}

}  // namespace
