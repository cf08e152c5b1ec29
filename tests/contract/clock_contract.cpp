// The millisecond tick and pauses: a pause moves the tick on by at least its length, less
// the tick's own granularity.
#include "tests/contract/env.h"

namespace {

class ClockContract : public contract::Contract {};

TEST_F(ClockContract, APauseMovesTheTickOn) {
  auto& clock = sys().clock();
  const uint64_t before = clock.tickMs();
  clock.sleepMs(100);
  const uint64_t after = clock.tickMs();
  EXPECT_GE(after, before + 100 - 16);
  EXPECT_LT(after, before + 5000);
}

}  // namespace
