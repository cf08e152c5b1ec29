// The monitor mode on fakes: the watcher started by the main window, the popup it raises, its
// fade on the virtual clock, its links, and the program's end while the watcher waits.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include "app/qex_ulm_frm.h"
#include "monitor/notifyfrm.h"
#include "monitor/popupplace.h"
#include "monitor/preffrm.h"
#include "scan/deepscanfrm.h"
#include "tests/unit/app_fixture.h"

namespace {

using testing_app::AppTest;

const char* const kMessage =
    "A software saved, modified or deleted files in your Windows directory or its "
    "subfolders.\n\nTo view your "
    "Windows directory or Scan your system, click one of the links below.";

struct Popup : AppTest {
  Tnotifyfrm& popup() { return *app->notifyfrm; }

  // The program started in monitor mode, past its first painting.
  void startMonitor(const std::string& ini = "[System]\r\nNews=0\r\nSysChange=1\r\n") {
    sys.fakeFiles.addFile("C:\\Program Files\\Orvanta\\qexsys.ini", ini);
    sys.fakeSystem.args = {"-monitor"};
    start();
    app->qex_ulm_frm->show();
    ui::Bitmap b(700, 450);
    ui::Canvas c(b);
    app->qex_ulm_frm->paintClient(c);
  }
  // Runs the message loop until the watcher waits again with nothing left to hand over.
  bool settle() {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < end) {
      backend.processMessages();
      if (sys.fakeSync.awaitWaiter("C:\\WINDOWS", 1)) {
        backend.processMessages();
        return true;
      }
    }
    return false;
  }
  void write(const std::string& path) { ASSERT_TRUE(sys.files().writeFile(path, "x")); }
  bool raise() {
    write("C:\\WINDOWS\\new.ini");
    return settle() && popup().visible();
  }
  // The opacities set by the next n ticks of the 1 ms fade timers.
  std::vector<int> ticks(int n) {
    std::vector<int> seen;
    for (int i = 0; i < n; ++i) {
      backend.advance(1);
      seen.push_back(popup().alpha());
    }
    return seen;
  }
};

std::vector<int> opacities(int fromPercent, int toPercent, int step) {
  std::vector<int> out;
  for (int p = fromPercent; p != toPercent + step; p += step) out.push_back(p * 255 / 100);
  return out;
}

TEST_F(Popup, AChangeInMonitorModeRaisesThePopupAboveTheTaskbarFadesHoldsAndFadesOut) {
  backend.taskbar = ui::Rect{0, 738, 1024, 768};
  startMonitor();
  EXPECT_FALSE(app->qex_ulm_frm->visible());
  ASSERT_TRUE(raise());
  EXPECT_FALSE(app->qex_ulm_frm->visible());
  EXPECT_EQ(popup().left(), 1024 - 192);
  EXPECT_EQ(popup().top(), 768 - 250 - 30);
  EXPECT_EQ(popup().Label2.caption(), kMessage);
  EXPECT_EQ(popup().Label3.caption(), "C:\\WINDOWS");
  EXPECT_EQ(popup().Label4.caption(), "Scan my system now");
  EXPECT_TRUE(popup().layered());
  EXPECT_EQ(popup().alpha(), 0);

  EXPECT_EQ(ticks(49), opacities(2, 98, 2));  // 5 up to 249
  EXPECT_EQ(ticks(1), std::vector<int>{249});
  EXPECT_TRUE(popup().Timer2.enabled());
  EXPECT_FALSE(popup().Timer1.enabled());
  backend.advance(9999);
  EXPECT_TRUE(popup().visible());
  EXPECT_EQ(popup().alpha(), 249);
  backend.advance(1);
  EXPECT_EQ(ticks(49), opacities(98, 2, -2));  // 249 down to 5
  EXPECT_TRUE(popup().visible());
  backend.advance(1);
  EXPECT_FALSE(popup().visible());
  EXPECT_FALSE(popup().Timer3.enabled());
}

TEST_F(Popup, ABurstOfChangesWhileThePopupIsUpRaisesItOnceAndIsNotQueued) {
  startMonitor();
  ASSERT_TRUE(raise());
  backend.advance(20);
  for (int i = 0; i < 20; ++i) write("C:\\WINDOWS\\burst" + std::to_string(i) + ".tmp");
  ASSERT_TRUE(settle());
  EXPECT_EQ(popup().alphaPercent, 40);  // not shown afresh
  backend.advance(30 + 10000 + 50);
  EXPECT_FALSE(popup().visible());
  ASSERT_TRUE(settle());
  EXPECT_FALSE(popup().visible());
}

TEST_F(Popup, AFileInASubfolderRaisesNothing) {
  sys.fakeFiles.addDir("C:\\WINDOWS\\system32");
  startMonitor();
  write("C:\\WINDOWS\\system32\\new.dll");
  ASSERT_TRUE(settle());
  EXPECT_FALSE(popup().visible());
}

TEST_F(Popup, WithSysChangeOffNothingShowsUntilThePreferencesSwitchItOnEvenBeforeOk) {
  startMonitor("[System]\r\nNews=0\r\n");
  EXPECT_FALSE(raise());
  app->preffrm->show();
  click(app->preffrm->Image4);
  EXPECT_TRUE(app->preffrm->SysChange);
  EXPECT_TRUE(raise());
}

TEST_F(Popup, ScanLinkDuringTheFadeInOpensTheScanAndAFreshPopupFadesInFully) {
  startMonitor();
  ASSERT_TRUE(raise());
  backend.advance(10);
  popup().mouseMove(popup().Label4.left() + 1, popup().Label4.top() + 1);
  EXPECT_TRUE(popup().Label4.font().underline);
  click(popup().Label4);
  EXPECT_TRUE(app->deepscanfrm->visible());
  EXPECT_FALSE(popup().Label4.font().underline);
  backend.advance(1);
  EXPECT_FALSE(popup().visible());
  // The fade out begun by the link ended with the popup: it cannot run into the next one.
  EXPECT_FALSE(popup().Timer3.enabled());
  app->deepscanfrm->hide();
  ASSERT_TRUE(raise());
  ticks(50);
  EXPECT_EQ(popup().alpha(), 249);
  EXPECT_TRUE(popup().Timer2.enabled());
}

TEST_F(Popup, ScanLinkDuringTheHoldFadesOutAtOnce) {
  startMonitor();
  ASSERT_TRUE(raise());
  ticks(50);
  click(popup().Label4);
  EXPECT_FALSE(popup().Timer2.enabled());
  EXPECT_EQ(ticks(49), opacities(98, 2, -2));
  backend.advance(1);
  EXPECT_FALSE(popup().visible());
}

TEST_F(Popup, WithoutLayeredWindowsThePopupKeepsItsTimingWithoutFading) {
  backend.layered = false;
  startMonitor();
  ASSERT_TRUE(raise());
  EXPECT_FALSE(popup().layered());
  backend.advance(50 + 10000 + 49);
  EXPECT_TRUE(popup().visible());
  EXPECT_EQ(popup().alpha(), 255);
  backend.advance(1);
  EXPECT_FALSE(popup().visible());
}

TEST_F(Popup, DirectoryLinkOpensTheFolderAndTheUnderlineFollowsTheMouse) {
  startMonitor();
  ASSERT_TRUE(raise());
  popup().mouseMove(popup().Label3.left() + 1, popup().Label3.top() + 1);
  EXPECT_TRUE(popup().Label3.font().underline);
  popup().mouseMove(popup().Label2.left() + 1, popup().Label2.top() + 1);  // the message
  EXPECT_FALSE(popup().Label3.font().underline);
  click(popup().Label3);
  ASSERT_EQ(sys.fakeShell.requests.size(), 1u);
  EXPECT_EQ(sys.fakeShell.requests[0].target, "C:\\WINDOWS");
  popup().mouseMove(5, 5);
  EXPECT_FALSE(popup().Label3.font().underline);
  EXPECT_FALSE(popup().hoverLatch);
}

TEST_F(Popup, AWindowsDirectoryThatCannotBeWatchedSaysItFailedAndTheProgramGoesOn) {
  sys.fakeSystem.windowsDir = "C:\\NOWHERE";
  startMonitor();
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (popup().Label2.caption() != "It Failed" && std::chrono::steady_clock::now() < end) {
    backend.processMessages();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  EXPECT_EQ(popup().Label2.caption(), "It Failed");
  EXPECT_FALSE(popup().visible());
  app->qex_ulm_frm->restoreFromTray();
  EXPECT_TRUE(app->qex_ulm_frm->visible());
}

TEST_F(Popup, QuitWhileAChangeWaitsForTheUiThreadEndsWithoutRunningIt) {
  startMonitor();
  const int before = backend.posts;
  write("C:\\WINDOWS\\new.ini");
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (backend.posts == before && std::chrono::steady_clock::now() < end)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  ASSERT_GT(backend.posts, before);
  ui.terminate();
  app->run();
  app.reset();                // joins the watcher
  backend.processMessages();  // the dropped hand-off does nothing now
}

TEST(PopupPlace, BottomRightCornerClearOfTheTaskbarOnAnyEdge) {
  auto place = [](std::optional<ui::Rect> bar) {
    const ui::Rect r = monitor::popupPlace(1280, 1024, 192, 250, bar);
    return std::vector<int>{r.left, r.top, r.width(), r.height()};
  };
  EXPECT_EQ(place(std::nullopt), (std::vector<int>{1088, 774, 192, 250}));
  EXPECT_EQ(place(ui::Rect{0, 1023, 1280, 1024}),
            (std::vector<int>{1088, 773, 192, 250}));  // Wine's strip
  EXPECT_EQ(place(ui::Rect{0, 994, 1280, 1024}), (std::vector<int>{1088, 744, 192, 250}));
  EXPECT_EQ(place(ui::Rect{1220, 0, 1280, 1024}),
            (std::vector<int>{1028, 774, 192, 250}));                                   // right
  EXPECT_EQ(place(ui::Rect{0, 0, 1280, 30}), (std::vector<int>{1088, 774, 192, 250}));  // top
  EXPECT_EQ(place(ui::Rect{0, 0, 60, 1024}), (std::vector<int>{1088, 774, 192, 250}));  // left
}

}  // namespace
