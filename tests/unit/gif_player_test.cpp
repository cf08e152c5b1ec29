#include <gtest/gtest.h>

#include <vector>

#include "codecs/gif_player.h"

using codecs::GifAnimation;
using codecs::GifPlayer;

namespace {

// Frames of one pixel whose colour is their number, with the given delays.
GifAnimation animation(const std::vector<int>& delays, int loopCount) {
  GifAnimation a;
  a.width = a.height = 1;
  a.loopCount = loopCount;
  for (size_t i = 0; i < delays.size(); ++i) {
    codecs::GifFrame f;
    f.area = {0, 0, 1, 1};
    f.indexes = {static_cast<uint8_t>(i)};
    f.palette[i] = static_cast<ui::Color>(i);
    f.delayMs = delays[i];
    a.frames.push_back(f);
  }
  return a;
}

}  // namespace

TEST(GifPlayer, ShowsEachFrameForItsOwnDelay) {
  GifPlayer p(animation({100, 50, 200}, 0));
  EXPECT_EQ(p.frameIndex(), 0u);
  EXPECT_EQ(p.timeToNextFrame(), 100);
  EXPECT_FALSE(p.advance(99));
  EXPECT_EQ(p.timeToNextFrame(), 1);
  EXPECT_TRUE(p.advance(1));
  EXPECT_EQ(p.frameIndex(), 1u);
  EXPECT_EQ(p.currentFrame().pixel(0, 0), 1u);
  EXPECT_EQ(p.timeToNextFrame(), 50);
  EXPECT_TRUE(p.advance(60));  // a late timer carries the lateness into the next frame
  EXPECT_EQ(p.frameIndex(), 2u);
  EXPECT_EQ(p.timeToNextFrame(), 190);
  EXPECT_TRUE(p.advance(190));
  EXPECT_EQ(p.frameIndex(), 0u);
  EXPECT_TRUE(p.playing());
}

TEST(GifPlayer, WithoutALoopExtensionPlaysOnceAndStopsOnTheLastFrame) {
  GifPlayer p(animation({100, 100}, -1));
  EXPECT_TRUE(p.playing());
  EXPECT_TRUE(p.advance(100));
  EXPECT_EQ(p.frameIndex(), 1u);
  EXPECT_FALSE(p.playing());
  EXPECT_EQ(p.timeToNextFrame(), -1);
  EXPECT_FALSE(p.advance(100000));
  EXPECT_EQ(p.frameIndex(), 1u);
}

TEST(GifPlayer, ALoopCountRepeatsThatManyTimesAfterTheFirstPlay) {
  GifPlayer p(animation({10, 10, 10}, 2));
  int changes = 0;
  for (int t = 0; t < 1000 && p.playing(); t += 10) changes += p.advance(10);
  EXPECT_EQ(changes, 8);  // three plays of three frames: eight changes after the first frame
  EXPECT_EQ(p.frameIndex(), 2u);
  p.rewind();
  EXPECT_TRUE(p.playing());
  EXPECT_EQ(p.frameIndex(), 0u);
  EXPECT_EQ(p.timeToNextFrame(), 10);
}

TEST(GifPlayer, ALongPauseSkipsWholePlaysAtOnce) {
  GifPlayer endless(animation({30, 70}, 0));
  endless.advance(1000000000030LL);  // 10^10 plays and one frame
  EXPECT_EQ(endless.frameIndex(), 1u);
  EXPECT_EQ(endless.timeToNextFrame(), 70);

  GifPlayer finite(animation({30, 70}, 5));
  EXPECT_TRUE(finite.advance(1000000000000LL));
  EXPECT_FALSE(finite.playing());
  EXPECT_EQ(finite.frameIndex(), 1u);

  GifPlayer exact(animation({30, 70}, 5));
  exact.advance(5 * 100 + 29);  // five plays done, the last play's first frame still showing
  EXPECT_EQ(exact.frameIndex(), 0u);
  EXPECT_EQ(exact.timeToNextFrame(), 1);
  EXPECT_TRUE(exact.advance(1));
  EXPECT_FALSE(exact.playing());
}

TEST(GifPlayer, ASinglePictureStandsStillEvenWhenItLoops) {
  GifPlayer p(animation({100}, 0));
  EXPECT_FALSE(p.playing());
  EXPECT_EQ(p.timeToNextFrame(), -1);
  EXPECT_FALSE(p.advance(500));
}

TEST(GifPlayer, RefusesAnimationsItCannotPlay) {
  EXPECT_THROW(GifPlayer(animation({}, 0)), std::invalid_argument);
  EXPECT_THROW(GifPlayer(animation({10, 0}, 0)), std::invalid_argument);
}
