// The connection test of the dashboard: an address nobody answers on is reported offline,
// once, and soon.
#include <memory>

#include "platform/thread.h"
#include "tests/contract/env.h"

namespace {

class NetContract : public contract::Contract {};

TEST_F(NetContract, AClosedLoopbackPortIsOfflineAnsweredOnce) {
  struct Answers {
    platform::Mutex lock;
    platform::Condition came;
    int count = 0;
    bool reachable = true;
  };
  auto answers = std::make_shared<Answers>();
  sys().net().checkConnection("http://127.0.0.1:9/", [answers](bool reachable) {
    platform::Lock hold(answers->lock);
    ++answers->count;
    answers->reachable = reachable;
    answers->came.notifyAll();
  });
  platform::Lock hold(answers->lock);
  ASSERT_TRUE(answers->came.waitFor(hold, 30000, [&] { return answers->count > 0; }));
  EXPECT_FALSE(answers->reachable);
  // A second answer, if one were coming, would come at about the same time as the first.
  answers->came.waitFor(hold, 200, [&] { return answers->count > 1; });
  EXPECT_EQ(answers->count, 1);
}

}  // namespace
