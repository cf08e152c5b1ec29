// The internet state asked ahead on a worker: one question per start, and never an answer
// left lying from an earlier start.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <memory>
#include <thread>

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

// Answers only when the test lets it.
class GatedNet : public platform::Net {
 public:
  std::promise<void> asked;
  std::promise<void> release;

  void checkConnection(const std::string&, std::function<void(bool)> answered) override { answered(false); }
  bool connected() override {
    asked.set_value();
    release.get_future().wait();
    return true;
  }
};

TEST(ConnectionProbe, GivingItUpWaitsForTheQuestionStillOpen) {
  GatedNet net;
  auto probe = std::make_unique<online::ConnectionProbe>(net);
  probe->start();
  net.asked.get_future().wait();
  std::promise<void> gone;
  std::future<void> ended = gone.get_future();
  std::thread giver([&] {
    probe.reset();
    gone.set_value();
  });
  // The worker still asks the net, which must outlive it.
  EXPECT_EQ(ended.wait_for(std::chrono::milliseconds(200)), std::future_status::timeout);
  net.release.set_value();
  giver.join();
  EXPECT_EQ(ended.wait_for(std::chrono::seconds(0)), std::future_status::ready);
}

}  // namespace
