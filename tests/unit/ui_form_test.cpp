// The window model's event semantics on the headless backend: mouse dispatch and capture,
// clicks, closing, timers on the virtual clock, cross-thread calls and the exception guard.
#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>

#include "ui/form.h"
#include "ui/headless/headless_backend.h"
#include "ui/windowed.h"

namespace {

struct TestForm : ui::Form {
  explicit TestForm(ui::Application& app) : Form(app, "Ttestfrm", "testfrm", 300, 200) {
    Button.onMouseMove = [this](int, int) { log += "bmove "; };
    Button.onMouseDown = [this](int, int) { log += "bdown "; };
    Button.onMouseUp = [this](int, int) { log += "bup "; };
    Button.onClick = [this] { log += "bclick "; };
    Button.onDblClick = [this] { log += "bdbl "; };
    Caption.onClick = [this] { log += "lclick "; };
  }
  ui::Image Button{*this, "Button", ui::Rect{10, 10, 107, 34}};
  ui::Label Caption{*this, "Caption", ui::Rect{20, 15, 60, 27}, "OK"};
  ui::Timer Tick{*this, "Tick", 10};
  std::string log;
  bool refuse = false;
  void FormMouseMove(int, int) override { log += "fmove "; }
  void FormShow() override { log += "show "; }
  void FormHide() override { log += "hide "; }
  bool FormCloseQuery() override { return !refuse; }
};

struct FormTest : ::testing::Test {
  ui::headless::HeadlessBackend backend;
  ui::Application app{backend};
  TestForm form{app};
};

TEST_F(FormTest, TopmostControlReceivesTheMouseAndTheBackgroundGoesToTheForm) {
  form.mouseMove(25, 20);  // the label lies on the button and has no move handler
  form.mouseMove(12, 30);
  form.mouseMove(200, 150);
  EXPECT_EQ(form.log, "bmove fmove ");
}

TEST_F(FormTest, ClickNeedsPressAndReleaseOnTheSameControl) {
  form.mouseDown(12, 12);
  form.mouseMove(250, 150);  // captured: the move still goes to the button
  form.mouseUp(250, 150);    // released outside: no click
  form.mouseMove(250, 150);
  EXPECT_EQ(form.log, "bdown bmove bup fmove ");
  form.log.clear();
  form.mouseDown(12, 12);
  form.mouseUp(13, 13);
  EXPECT_EQ(form.log, "bdown bup bclick ");
}

TEST_F(FormTest, DoubleClickIsNotASecondClick) {
  form.mouseDown(12, 12);
  form.mouseUp(12, 12);
  form.doubleClick(12, 12);
  form.mouseUp(12, 12);
  EXPECT_EQ(form.log, "bdown bup bclick bdbl bdown bup ");
}

TEST_F(FormTest, DisabledOrHiddenControlsPassTheMouseToWhatLiesBelow) {
  form.Caption.setEnabled(false);
  form.mouseDown(25, 20);
  form.mouseUp(25, 20);
  EXPECT_EQ(form.log, "bdown bup bclick ");
  form.log.clear();
  form.Button.setVisible(false);
  form.mouseMove(12, 30);
  EXPECT_EQ(form.log, "fmove ");
}

TEST_F(FormTest, CloseAsksFirstAndHidesUnlessRefused) {
  form.show();
  EXPECT_TRUE(form.visible());
  form.refuse = true;
  form.close();
  EXPECT_TRUE(form.visible());
  form.refuse = false;
  form.close();
  EXPECT_FALSE(form.visible());
  EXPECT_EQ(form.log, "show hide ");
  form.show();
  form.show();  // showing a visible window does not run FormShow again
  EXPECT_EQ(form.log, "show hide show ");
}

TEST_F(FormTest, TimersFireOnTheVirtualClockUntilStopped) {
  int ticks = 0;
  form.Tick.onTimer = [&] {
    if (++ticks == 3) form.Tick.stop();
  };
  backend.advance(9);
  EXPECT_EQ(ticks, 0);
  form.Tick.start();
  backend.advance(25);
  EXPECT_EQ(ticks, 2);
  backend.advance(100);
  EXPECT_EQ(ticks, 3);
  EXPECT_FALSE(backend.timerRunning(form.Tick));
}

TEST_F(FormTest, AnExceptionInAHandlerIsShownAndTheProgramGoesOn) {
  app.setTitle("Orvanta Kestrel");
  form.Button.onClick = [] { throw std::runtime_error("Unable to write to C:\\x\\qexsys.ini"); };
  form.mouseDown(12, 12);
  form.mouseUp(12, 12);
  ASSERT_EQ(backend.boxes.size(), 1u);
  EXPECT_EQ(backend.boxes[0].text, "Unable to write to C:\\x\\qexsys.ini.");
  EXPECT_EQ(backend.boxes[0].caption, "Orvanta Kestrel");
  EXPECT_EQ(backend.boxes[0].flags, ui::kMbIconError);
}

// A call queued from another thread runs later on this one; one that throws shows its box and
// the calls after it still run.
TEST_F(FormTest, QueuedCallsRunFromTheMessageLoopUnderGuard) {
  std::thread::id ranOn;
  std::thread worker([&] {
    app.queue([] { throw std::runtime_error("Unable to write"); });
    app.queue([&] { ranOn = std::this_thread::get_id(); });
  });
  worker.join();
  EXPECT_EQ(ranOn, std::thread::id());
  backend.processMessages();
  EXPECT_EQ(ranOn, std::this_thread::get_id());
  ASSERT_EQ(backend.boxes.size(), 1u);
  EXPECT_EQ(backend.boxes[0].text, "Unable to write.");
}

TEST_F(FormTest, SynchronizeRunsOnTheUiThreadAndWaits) {
  std::thread::id ranOn;
  bool returned = false;
  std::thread worker([&] {
    app.synchronize([&] { ranOn = std::this_thread::get_id(); });
    returned = true;
  });
  while (!returned) backend.processMessages();
  worker.join();
  EXPECT_EQ(ranOn, std::this_thread::get_id());
}

TEST(LabelTest, ACaptionTakesTheSizeOfItsTextAmpersandsAndAll) {
  ui::headless::HeadlessBackend backend;
  ui::Application app{backend};
  TestForm form{app};
  ui::Label l(form, "L", ui::Rect{10, 10, 10, 10});
  l.setFont(ui::Font::pixels("Verdana", 11));
  l.setCaption("abcd");
  EXPECT_EQ(l.width(), 4 * 6);
  EXPECT_EQ(l.height(), 11);
  // A name is shown as it is, however many ampersands it holds and wherever they stand.
  for (const std::string name : {"C:\\Tools & Games\\a&&b.exe", "&", "&&&", "R&D", "&Quit"}) {
    l.setCaption(name);
    EXPECT_EQ(l.width(), static_cast<int>(name.size()) * 6) << name;
  }
}

TEST(ListViewTest, SelectionFollowsRowsThatMove) {
  ui::headless::HeadlessBackend backend;
  ui::Application app{backend};
  TestForm form{app};
  ui::ListView list(form, "ListView1");
  for (const char* c : {"a", "b", "c"}) list.addRow(ui::ListRow{c, {"x"}});
  list.select(2);
  list.deleteRow(0);
  EXPECT_EQ(list.selected(), 1);
  list.deleteRow(1);
  EXPECT_EQ(list.selected(), -1);
  EXPECT_EQ(*list.property("rows"), "b\tx\n");
}

}  // namespace
