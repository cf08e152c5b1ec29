// The internet state asked ahead on a worker: one question per start, and never an answer
// left lying from an earlier start.
#include <gtest/gtest.h>

#include <atomic>
#include <future>

#include "online/connectionprobe.h"

namespace {

// Counts the questions and says when the first one was answered.
class CountingNet : public platform::Net {
 public:
  std::atomic<bool> state{true};
  std::atomic<int> questions{0};
  std::promise<void> firstAnswered;

  void checkConnection(const std::string&, std::function<void(bool)> answered) override { answered(false); }
  bool connected() override {
    const bool now = state;
    if (++questions == 1) firstAnswered.set_value();
    return now;
  }
};

TEST(ConnectionProbe, AnAnswerComesFromTheQuestionStartedAheadOrFromOneAskedThen) {
  CountingNet net;
  online::ConnectionProbe probe(net);
  probe.start();
  EXPECT_TRUE(probe.answer());
  EXPECT_EQ(net.questions, 1);

  net.state = false;
  EXPECT_FALSE(probe.answer());
  EXPECT_EQ(net.questions, 2);
}

TEST(ConnectionProbe, AnAnswerNobodyCollectedIsAskedAgain) {
  CountingNet net;
  online::ConnectionProbe probe(net);
  probe.start();
  net.firstAnswered.get_future().wait();
  // The window closed before its refresh; the connection went away meanwhile.
  net.state = false;
  probe.start();
  EXPECT_FALSE(probe.answer());
  EXPECT_EQ(net.questions, 2);
}

}  // namespace
