// The dashboard's connection test: its answer reaches the window only through the message
// loop, and never after the window has ended, whichever thread it comes on.
#include <gtest/gtest.h>

#include <functional>
#include <future>
#include <thread>
#include <vector>

#include "app/connectioncheck.h"
#include "platform/fake/fake_net.h"

namespace {

struct ConnectionCheckTest : testing::Test {
  platform::fake::FakeNet net;
  std::vector<std::function<void()>> posted;
  std::vector<bool> answers;

  std::unique_ptr<app::ConnectionCheck> ask() {
    return std::make_unique<app::ConnectionCheck>(
        net, "http://example.test/", [this](std::function<void()> fn) { posted.push_back(std::move(fn)); },
        [this](bool reachable) { answers.push_back(reachable); });
  }
  void runPosted() {
    auto calls = std::move(posted);
    posted.clear();
    for (auto& fn : calls) fn();
  }
};

TEST_F(ConnectionCheckTest, TheAnswerArrivesThroughTheMessageLoopOnly) {
  net.holdChecks = true;
  net.reachable = true;
  auto check = ask();
  EXPECT_EQ(net.checkedUrls, std::vector<std::string>{"http://example.test/"});
  EXPECT_TRUE(posted.empty());
  net.answerHeld();
  EXPECT_TRUE(answers.empty());
  runPosted();
  EXPECT_EQ(answers, std::vector<bool>{true});
}

TEST_F(ConnectionCheckTest, AnAnswerAfterTheCheckEndedIsDropped) {
  net.holdChecks = true;
  ask().reset();
  net.answerHeld();
  EXPECT_TRUE(posted.empty());

  // Posted while the check lived, run after it ended.
  auto check = ask();
  net.answerHeld();
  check.reset();
  runPosted();
  EXPECT_TRUE(answers.empty());
}

// A system that answers on a thread of its own, when the test lets it.
class LateNet : public platform::Net {
 public:
  std::promise<void> release;
  std::thread worker;
  void checkConnection(const std::string&, std::function<void(bool)> answered) override {
    worker = std::thread([this, answered = std::move(answered)] {
      release.get_future().wait();
      answered(false);
    });
  }
  bool connected() override { return true; }
};

TEST_F(ConnectionCheckTest, AnAnswerOnAnotherThreadIsPostedOnlyWhileTheCheckLives) {
  LateNet late;
  std::promise<void> postedOnce;
  auto post = [&](std::function<void()> fn) {
    posted.push_back(std::move(fn));
    postedOnce.set_value();
  };
  auto check = std::make_unique<app::ConnectionCheck>(late, "http://example.test/", post,
                                                      [this](bool reachable) { answers.push_back(reachable); });
  late.release.set_value();
  postedOnce.get_future().wait();
  late.worker.join();
  runPosted();
  EXPECT_EQ(answers, std::vector<bool>{false});

  LateNet later;
  check = std::make_unique<app::ConnectionCheck>(later, "http://example.test/", post, [this](bool) { answers.push_back(true); });
  check.reset();
  later.release.set_value();
  later.worker.join();
  EXPECT_TRUE(posted.empty());
  EXPECT_EQ(answers.size(), 1u);
}

}  // namespace
