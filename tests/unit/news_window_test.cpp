// The news window against a community server on loopback: a refresh from end to end, the
// advert rotation, the headline rows, F5, closing in the middle of a download, and what the
// window does with every failure and every bad answer.
#include <gtest/gtest.h>

#include <atomic>

#include "app/qex_ulm_frm.h"
#include "frame/scrollbar.h"
#include "online/headlinewriter.h"
#include "skin/layout.h"
#include "tests/unit/codec_pictures.h"
#include "tests/unit/news_fixture.h"
#include "ui/dialogs.h"

namespace {

using loopback::Connection;
using testing_news::Feed;
using testing_news::NewsTest;
using testing_news::Route;

const char kNoInternet[] =
    "Unable to connect to QEX server.\nPlease make sure that you are connected to the internet.";
const char kDownloadFailed[] =
    "Unable to connect to server.\nQEX instant news is currently unavailable.";
const char kConnectionFailed[] =
    "Unable to connect to server.\nPlease make sure that you are connected to the internet.";

struct NewsWindow : NewsTest {
  // The banner the window asked for last, by its advert number.
  int lastBanner() {
    int banner = -1;
    for (const std::string& line : requestLines())
      if (line.rfind("GET /banner", 0) == 0) banner = line[11] - '0';
    return banner;
  }
  bool placeholderOn(const ui::Image& image) {
    const ui::Bitmap icon = app->skin().bitmap("error");
    const ui::Bitmap& p = image.picture();
    const int x = p.width() / 2 - icon.width() / 2 + icon.width() / 2;
    const int y = p.height() / 2 - icon.height() / 2 - icon.height() / 3 + 2 + icon.height() / 2;
    return !p.empty() && p.transparent &&
           p.pixel(x, y) == icon.pixel(icon.width() / 2, icon.height() / 2);
  }
  ui::Label* row(const std::string& name) {
    return dynamic_cast<ui::Label*>(news().findControl(name));
  }
  void hover(ui::Control& c) { c.form().mouseMove(c.left() + 1, c.top() + 1); }
  void click(ui::Control& c) {
    hover(c);
    c.form().mouseDown(c.left() + 1, c.top() + 1);
    c.form().mouseUp(c.left() + 1, c.top() + 1);
  }
  std::vector<std::string> opened() {
    std::vector<std::string> out;
    for (const auto& r : sys.fakeShell.requests) out.push_back(r.target);
    return out;
  }
};

TEST_F(NewsWindow, ARefreshBuildsRowsBannerGalleryAndLeadStoryFromThreeRequests) {
  publish(Feed{});
  startWith("[Rotator]\r\nLoop=1\r\n");
  app->qex_ulm_frm->show();
  open();

  const std::vector<std::string> expected = {
      "GET /today/headlines.db HTTP/1.0", "GET /banner2.gif HTTP/1.0", "GET /gallery.jpg HTTP/1.0"};
  EXPECT_EQ(requestLines(), expected);
  ASSERT_EQ(news().rowCount(), 2u);
  EXPECT_EQ(row("HeadlineLabel0")->caption(), "First headline");
  EXPECT_EQ(row("HeadlineLabel1")->caption(), "Second headline");
  EXPECT_EQ(row("HeadlineLabel1")->top(), 59 + 18);
  auto* arrow = dynamic_cast<ui::Image*>(news().findControl("HeadlineArrow1"));
  ASSERT_NE(arrow, nullptr);
  EXPECT_EQ(arrow->left(), 21);
  EXPECT_EQ(arrow->top(), 59 + 18 + 3);
  EXPECT_EQ(arrow->pictureName(), "arrow");

  // Asked once a refresh: the system takes its time to answer.
  EXPECT_EQ(sys.fakeNet.connectedQueries, 1);
  EXPECT_EQ(news().rotatorIndex, 2);
  EXPECT_EQ(news().AdvertImage.cursor, ui::Cursor::Hand);
  EXPECT_EQ(news().AdvertImage.hint, "Advert 2");
  EXPECT_FALSE(news().AdvertImage.transparent());
  EXPECT_EQ(news().AdvertImage.picture().pixel(10, 10), ui::rgb(20, 40, 160));
  EXPECT_EQ(news().NewsHeadLabel.caption(), "Lead story");
  EXPECT_EQ(news().NewsLinkLabel.caption(), "Read more");
  EXPECT_EQ(news().NewsStoryLabel.caption(), "The lead story's body.");
  EXPECT_EQ(news().NewsStoryLabel.width(), 145);
  EXPECT_EQ(news().NewsHeadLabel.height(), 26);
  EXPECT_EQ(news().StoryLabel.width(), 468);
  EXPECT_EQ(news().AuthorLabel.caption(), "Jane Doe");
  EXPECT_EQ(news().AuthorLabel.cursor, ui::Cursor::Hand);
  EXPECT_EQ(news().GalleryImage.hint, "Sunset over the bay");
  EXPECT_TRUE(news().GalleryImage.visible());
  EXPECT_TRUE(news().Timer1.enabled());
  EXPECT_EQ(news().caption(), "Orvanta Kestrel");
  EXPECT_FALSE(news().busy);
  EXPECT_EQ(ui.screenCursor(), ui::Cursor::Default);
  EXPECT_TRUE(backend.boxes.empty());
  // The main window's memory timer rests while the news are shown.
  EXPECT_FALSE(app->qex_ulm_frm->Timer1.enabled());

  // Thirty seconds later the next banner, after the last the first.
  backend.advance(30000);
  EXPECT_EQ(lastBanner(), 0);
  EXPECT_EQ(news().AdvertImage.hint, "Advert 0");

  news().close();
  EXPECT_NE(ini().find("Loop=0"), std::string::npos) << ini();
  EXPECT_NE(ini().find("News=0"), std::string::npos) << ini();
  EXPECT_EQ(news().rowCount(), 0u);
  EXPECT_EQ(news().findControl("HeadlineLabel0"), nullptr);
  EXPECT_TRUE(news().AdvertImage.picture().empty());
  EXPECT_FALSE(news().GalleryImage.visible());
  EXPECT_FALSE(news().Timer1.enabled());
  EXPECT_TRUE(app->qex_ulm_frm->Timer1.enabled());
}

TEST_F(NewsWindow, TheStoredLoopPicksTheFirstBanner) {
  struct Case {
    int adverts;
    const char* loop;
    int first;
  } cases[] = {{3, "3", 1}, {3, "9", 1}, {3, "-1", 1}, {1, "0", 0}, {1, "4", 0}, {3, "0", 1}};
  startWith();
  for (const Case& c : cases) {
    Feed feed;
    feed.adverts = c.adverts;
    publish(feed);
    app->settings().writeString("Rotator", "Loop", c.loop);
    open();
    EXPECT_EQ(lastBanner(), c.first) << c.adverts << " adverts, Loop=" << c.loop;
    news().close();
  }
}

TEST_F(NewsWindow, WithoutAdvertsTheBannerSaysSoAndTheLoopBecomesMinusOne) {
  Feed feed;
  feed.adverts = 0;
  publish(feed);
  startWith();
  open();
  EXPECT_TRUE(placeholderOn(news().AdvertImage));
  EXPECT_EQ(news().rotatorIndex, -1);
  news().close();
  EXPECT_NE(ini().find("Loop=-1"), std::string::npos);
}

TEST_F(NewsWindow, NoConnectionWarnsAndShowsTwoPlaceholdersWithoutARequest) {
  sys.fakeNet.connectedState = false;
  publish(Feed{});
  startWith();
  open();
  ASSERT_EQ(backend.boxes.size(), 1u);
  EXPECT_EQ(backend.boxes[0].text, kNoInternet);
  EXPECT_EQ(backend.boxes[0].caption, "Orvanta Kestrel");
  EXPECT_EQ(backend.boxes[0].owner, "qextodayfrm");
  EXPECT_EQ(backend.boxes[0].flags, ui::kMbOk | ui::kMbIconWarning);
  EXPECT_TRUE(placeholderOn(news().AdvertImage));
  EXPECT_TRUE(placeholderOn(news().GalleryThumb));
  EXPECT_TRUE(server.requests().empty());
}

TEST_F(NewsWindow, AForeignVersionAsksAboutUpdatesAndShowsNoRowsUntilF5) {
  Feed feed;
  feed.version = "1.16.00.00";
  publish(feed);
  startWith();
  backend.boxAnswers.push_back(ui::kIdYes);
  open();
  ASSERT_EQ(backend.boxes.size(), 1u);
  EXPECT_EQ(backend.boxes[0].text,
            "This file is not supported by Orvanta Kestrel.\nDo you want to check "
            "http://www.orvanta.example/ for "
            "updates?");
  EXPECT_EQ(backend.boxes[0].owner, "");
  EXPECT_EQ(backend.boxes[0].flags, ui::kMbYesNo | ui::kMbIconInformation);
  EXPECT_EQ(opened(), std::vector<std::string>{url("/")});
  EXPECT_EQ(news().rowCount(), 0u);
  EXPECT_TRUE(news().unsupported);
  EXPECT_TRUE(placeholderOn(news().GalleryThumb));
  EXPECT_EQ(requestLines().size(), 1u);

  publish(Feed{});
  pressF5();
  releaseF5();
  backend.advance(2);
  EXPECT_EQ(news().rowCount(), 2u);
  EXPECT_FALSE(news().unsupported);
}

TEST_F(NewsWindow, FailedDownloadsSayWhatWentWrong) {
  startWith();  // nothing published: every path is a 404
  open();
  ASSERT_EQ(backend.boxes.size(), 1u);
  EXPECT_EQ(backend.boxes[0].text, kDownloadFailed);
  EXPECT_TRUE(placeholderOn(news().AdvertImage));
  EXPECT_TRUE(placeholderOn(news().GalleryThumb));
  EXPECT_FALSE(news().serverOk);

  backend.boxes.clear();
  app->config.communityHost = "127.0.0.1:" + std::to_string(loopback::unusedPort());
  pressF5();
  backend.advance(2);
  ASSERT_EQ(backend.boxes.size(), 1u);
  EXPECT_EQ(backend.boxes[0].text, kConnectionFailed);
  EXPECT_TRUE(placeholderOn(news().GalleryThumb));
  EXPECT_EQ(news().caption(), "Orvanta Kestrel");
}

TEST_F(NewsWindow, ACacheThatCannotBeWrittenIsNamedOnceARun) {
  publish(Feed{});
  startWith();
  sys.fakeFiles.addFile("C:\\Program Files\\Orvanta\\Cache", "not a folder");
  open();
  ASSERT_FALSE(backend.boxes.empty());
  EXPECT_EQ(backend.boxes[0].text.find("Orvanta Kestrel could not write \"C:\\Program Files\\Orvanta\\"
                                       "Cache\\headlines.db\" in its folder"),
            0u)
      << backend.boxes[0].text;
  EXPECT_TRUE(placeholderOn(news().GalleryThumb));
  EXPECT_TRUE(placeholderOn(news().AdvertImage));
  pressF5();
  backend.advance(2);
  EXPECT_EQ(requestLines().size(), 2u);
  EXPECT_EQ(backend.boxes.size(), 1u);
}

TEST_F(NewsWindow, HoveringARowShowsItsSummaryInTheBannersPlace) {
  Feed feed;
  feed.headlines.push_back(
      {"First headline", "http://news.example/duplicate", "Duplicate summary"});
  feed.headlines.push_back({"Local", "file:///C:/windows/system32/calc.exe", "Not a web link"});
  publish(feed);
  startWith();
  open();
  ui::Label& first = *row("HeadlineLabel0");
  hover(first);
  EXPECT_EQ(news().StoryLabel.caption(), "First summary");
  EXPECT_FALSE(news().AdvertImage.visible());
  EXPECT_TRUE(first.font().underline);
  hover(*row("HeadlineLabel1"));
  EXPECT_FALSE(first.font().underline);
  EXPECT_EQ(news().StoryLabel.caption(), "Second summary");

  news().Timer1.stop();
  news().mouseMove(300, 340);  // the background
  EXPECT_EQ(news().StoryLabel.caption(), "");
  EXPECT_TRUE(news().AdvertImage.visible());
  EXPECT_FALSE(news().hoverActive);
  EXPECT_TRUE(news().Timer1.enabled());

  // Both rows captioned alike open the first one's link; a local link opens nothing.
  click(*row("HeadlineLabel2"));
  click(*row("HeadlineLabel3"));
  click(news().NewsLinkLabel);
  news().mouseMove(300, 340);
  click(news().AdvertImage);
  EXPECT_EQ(opened(), (std::vector<std::string>{"http://news.example/1", "http://news.example/lead",
                                                "http://ads.example/1"}));
}

struct HeadlineScrolling : NewsWindow {
  // One headline is longer than the area is wide.
  static std::string caption(int i) {
    return "Headline " + std::to_string(i) + (i == 13 ? ", told at a length no row holds" : "");
  }
  void publishHeadlines(int count) {
    Feed feed;
    feed.headlines.clear();
    for (int i = 0; i < count; ++i) {
      const std::string n = std::to_string(i);
      feed.headlines.push_back({caption(i), "http://news.example/" + n, "Summary " + n});
    }
    publish(feed);
  }
  void openWith(int count) {
    publishHeadlines(count);
    startWith();
    open();
  }
  frame::ScrollBar& bar() { return news().HeadlineScroll; }
  // The captions of the rows on show, top to bottom.
  std::vector<std::string> shown() {
    std::vector<std::string> out;
    for (size_t k = 0; k < Tqextodayfrm::pageRows(); ++k)
      if (ui::Label* l = row("HeadlineLabel" + std::to_string(k)); l && l->showing())
        out.push_back(l->caption());
    return out;
  }
  std::vector<std::string> headlines(int from, int to) {
    std::vector<std::string> out;
    for (int i = from; i < to; ++i) out.push_back(caption(i));
    return out;
  }
  void wheel(int x, int y, int delta) { news().mouseWheel(x, y, delta); }
  void press(int x, int y) {
    news().mouseDown(x, y);
    news().mouseUp(x, y);
  }
};

TEST_F(HeadlineScrolling, FourteenHeadlinesAllHaveARowAndTheWheelBringsThemIn) {
  openWith(14);
  EXPECT_EQ(news().rowCount(), 14u);
  ASSERT_EQ(Tqextodayfrm::pageRows(), 8u);
  EXPECT_EQ(shown(), headlines(0, 8));
  EXPECT_TRUE(bar().showing());
  EXPECT_EQ(news().findControl("HeadlineLabel8"), nullptr);

  // A notch down the list moves three rows; the end stops it; a notch up comes back.
  const ui::Label& first = *row("HeadlineLabel0");
  wheel(first.left() + 1, first.top() + 1, -120);
  EXPECT_EQ(shown(), headlines(3, 11));
  wheel(100, 120, -120);
  wheel(100, 120, -120);
  EXPECT_EQ(shown(), headlines(6, 14));
  EXPECT_EQ(row("HeadlineLabel0")->top(), 59);
  EXPECT_EQ(news().findControl("HeadlineArrow7")->top(), 59 + 7 * 18 + 3);
  wheel(100, 120, 120);
  EXPECT_EQ(bar().position(), 3);
  // Half notches add up; the wheel over the gallery or the banner leaves the list alone.
  wheel(100, 120, 60);
  EXPECT_EQ(bar().position(), 3);
  wheel(100, 120, 60);
  EXPECT_EQ(bar().position(), 0);
  wheel(300, 100, -120);
  wheel(300, 300, -120);
  EXPECT_EQ(bar().position(), 0);

  // A scrolled row is its headline's: its link and its summary.
  wheel(100, 120, -240);
  click(*row("HeadlineLabel7"));
  EXPECT_EQ(opened(), std::vector<std::string>{"http://news.example/13"});
  EXPECT_EQ(news().StoryLabel.caption(), "Summary 13");
  // The summary follows the row under the mouse as the list moves below it.
  wheel(100, 120, 120);
  EXPECT_EQ(news().StoryLabel.caption(), "Summary 10");
}

TEST_F(HeadlineScrolling, TheBarStepsPagesAndFollowsADragAndNothingLeavesTheArea) {
  openWith(20);
  const ui::Rect b = bar().bounds();
  const int x = b.left + 4;
  press(x, b.bottom - 2);  // the down arrow
  EXPECT_EQ(bar().position(), 1);
  press(x, b.bottom - frame::ScrollBar::kWidth - 2);  // the trough below the thumb
  EXPECT_EQ(bar().position(), 9);
  press(x, b.top + 1);  // the up arrow
  EXPECT_EQ(bar().position(), 8);
  press(x, b.top + frame::ScrollBar::kWidth + 1);  // the trough above the thumb
  EXPECT_EQ(bar().position(), 0);

  // Taken at its top, the thumb follows the mouse to the end and back, and lets go on release.
  const int thumb = b.top + frame::ScrollBar::kWidth + 1;
  news().mouseDown(x, thumb);
  news().mouseMove(x, b.bottom + 40);
  EXPECT_EQ(bar().position(), 12);
  EXPECT_EQ(shown(), headlines(12, 20));

  // Rows, arrows and the bar stay inside the headline area, and the rows off the bar.
  const ui::Rect area = skin::layout::news_today::kHeadlines;
  for (const ui::Control* c : news().controls()) {
    const std::string& name = c->name();
    if (name.rfind("Headline", 0) != 0 || !c->showing()) continue;
    EXPECT_TRUE(area.contains(c->left(), c->top()) &&
                area.contains(c->bounds().right - 1, c->bounds().bottom - 1))
        << name;
    if (name.rfind("HeadlineLabel", 0) == 0) {
      EXPECT_LT(c->bounds().right, b.left) << name;
    }
  }

  news().mouseMove(x, thumb - 60);
  EXPECT_EQ(bar().position(), 0);
  news().mouseUp(x, thumb - 60);
  news().mouseMove(x, b.bottom - 1);
  EXPECT_EQ(bar().position(), 0);
}

TEST_F(HeadlineScrolling, ThousandsCostNoMoreControlsAndAFewNeedNoBar) {
  openWith(3000);
  EXPECT_EQ(news().rowCount(), 3000u);
  size_t rowControls = 0;
  for (const ui::Control* c : news().controls()) {
    const std::string& name = c->name();
    rowControls += name.rfind("HeadlineLabel", 0) == 0 || name.rfind("HeadlineArrow", 0) == 0;
  }
  EXPECT_EQ(rowControls, 2 * Tqextodayfrm::pageRows());
  bar().scrollTo(5000);
  EXPECT_EQ(shown(), headlines(2992, 3000));

  // The refresh starts the list again from its top; rows that all show need no bar.
  publishHeadlines(8);
  pressF5();
  releaseF5();
  backend.advance(2);
  EXPECT_EQ(bar().position(), 0);
  EXPECT_FALSE(bar().showing());
  EXPECT_EQ(shown(), headlines(0, 8));
  wheel(100, 120, -120);
  EXPECT_EQ(shown(), headlines(0, 8));
}

TEST_F(NewsWindow, F5HeldDownRefreshesOnce) {
  publish(Feed{});
  startWith();
  open();
  pressF5();
  EXPECT_EQ(news().rowCount(), 0u);
  pressF5();  // the key's repeat
  backend.advance(2);
  pressF5();
  backend.advance(2);
  EXPECT_EQ(requestLines().size(), 6u);
  releaseF5();
  pressF5();
  backend.advance(2);
  EXPECT_EQ(requestLines().size(), 9u);
  EXPECT_EQ(news().rowCount(), 2u);
}

TEST_F(NewsWindow,
       ClosingDuringTheGalleryDownloadLeavesTheWindowAloneAndRefreshesOnceWhenShownAgain) {
  publish(Feed{});
  const std::string picture = testing_news::galleryJpeg(400, 300, ui::rgb(200, 40, 40));
  std::atomic<int> calls{0};
  std::atomic<bool> release{false};
  route("/gallery.jpg", {"", [&](Connection& c) {
                           if (calls++ > 0) return c.send("HTTP/1.0 200 OK\r\n\r\n" + picture);
                           c.send("HTTP/1.0 200 OK\r\nContent-Length: 5000\r\n\r\n");
                           c.send(std::string(100, 'x'));
                           // The window closes and opens again meanwhile.
                           backend.post([&] {
                             news().close();
                             news().show();
                             news().Timer2.fire();
                             release = true;
                           });
                           for (int i = 0; i < 2000 && !release; ++i) c.stall(5);
                         }});
  startWith();
  open();
  // The old refresh ended without a word; the new one waited for it and then ran.
  backend.advance(2);
  EXPECT_TRUE(backend.boxes.empty());
  EXPECT_FALSE(news().busy);
  const auto lines = requestLines();
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[3], "GET /today/headlines.db HTTP/1.0");
  EXPECT_EQ(news().rowCount(), 2u);
  EXPECT_EQ(news().NewsHeadLabel.caption(), "Lead story");
  backend.advance(100);
  EXPECT_EQ(requestLines().size(), 6u);
}

// A server that never answers the connection: the window closes while the headline download
// still waits for it, and nothing speaks for the window that is gone.
TEST_F(NewsWindow, ClosingWhileTheHeadlinesStillConnectShowsNoBox) {
  loopback::Swallower swallower;
  startWith();
  app->config.communityHost = "127.0.0.1:" + std::to_string(swallower.port());
  bool closed = false;
  backend.onProcessMessages = [&] {
    if (closed || swallower.attempts() == 0) return;
    closed = true;
    news().close();
  };
  open();
  ASSERT_TRUE(closed);
  EXPECT_TRUE(backend.boxes.empty());
  EXPECT_FALSE(news().busy);
  EXPECT_FALSE(placeholderOn(news().AdvertImage));
  EXPECT_EQ(news().caption(), "Orvanta Kestrel");
}

TEST_F(NewsWindow, ServerFaultsEndInPlaceholdersAndTheWindowStaysUsable) {
  struct Fault {
    const char* name;
    std::function<void(Connection&)> reply;
  } faults[] = {
      {"stall", [](Connection& c) { c.stall(1500); }},
      {"early close",
       [](Connection& c) { c.send("HTTP/1.0 200 OK\r\nContent-Length: 900\r\n\r\nabc"); }},
      {"redirect loop",
       [this](Connection& c) {
         c.send("HTTP/1.0 302 Found\r\nLocation: " + url("/gallery.jpg") + "\r\n\r\n");
       }},
      {"too large",
       [](Connection& c) { c.send("HTTP/1.0 200 OK\r\nContent-Length: 9000000\r\n\r\nabc"); }},
      {"not a JPEG", [](Connection& c) { c.send("HTTP/1.0 200 OK\r\n\r\nGIF89a, not a JPEG"); }},
  };
  startWith();
  news().HTTPgallery.TimeOut = 300;
  for (const Fault& f : faults) {
    publish(Feed{});
    route("/gallery.jpg", {"", f.reply});
    open();
    EXPECT_TRUE(placeholderOn(news().GalleryThumb)) << f.name;
    EXPECT_EQ(news().rowCount(), 2u) << f.name;
    EXPECT_FALSE(news().busy) << f.name;
    // The window goes on: the next F5 loads the picture.
    publish(Feed{});
    pressF5();
    releaseF5();
    backend.advance(2);
    EXPECT_EQ(news().AuthorLabel.caption(), "Jane Doe") << f.name;
    EXPECT_FALSE(placeholderOn(news().GalleryThumb)) << f.name;
    news().close();
  }
  // A picture that arrives a byte at a time is no fault.
  const std::string picture = testing_news::galleryJpeg(40, 30, ui::rgb(200, 40, 40));
  route("/gallery.jpg",
        {"", [picture](Connection& c) { c.drip("HTTP/1.0 200 OK\r\n\r\n" + picture); }});
  open();
  EXPECT_FALSE(placeholderOn(news().GalleryThumb));
  EXPECT_EQ(news().AuthorLabel.caption(), "Jane Doe");
}

TEST_F(NewsWindow, BadPicturesAndShortFilesShowPlaceholders) {
  publish(Feed{});
  route("/banner1.gif", {"not a picture at all", nullptr});
  testpics::GifPlan many;
  many.width = 8, many.height = 8;
  many.globalMap = {ui::kBlack, ui::kWhite};
  for (int i = 0; i < 1000; ++i) many.frames.push_back(testpics::solidFrame(0, 0, 8, 8, i % 2));
  route("/banner2.gif", {testpics::encodeGif(many), nullptr});
  route("/gallery.jpg", {testing_news::galleryJpeg(64, 64, ui::kWhite) + "", nullptr});
  startWith();
  open();
  EXPECT_TRUE(placeholderOn(news().AdvertImage));  // banner 1 is not a GIF
  backend.advance(30000);
  EXPECT_FALSE(placeholderOn(news().AdvertImage));  // 1,000 frames play
  news().close();

  // A file of the control and gallery records only: the gallery, no lead story, no rows.
  route("/today/headlines.db",
        {online::encodeHeadlines(
             {{"1.15.01.05", "", ""}, {"Jane Doe", "", "|x|" + url("/gallery.jpg")}}),
         nullptr});
  open();
  EXPECT_EQ(news().rowCount(), 0u);
  EXPECT_EQ(news().NewsHeadLabel.caption(), "");
  EXPECT_EQ(news().AuthorLabel.caption(), "Jane Doe");
  news().close();
  route("/today/headlines.db", {online::encodeHeadlines({{"1.15.01.05", "", ""}}), nullptr});
  open();
  EXPECT_TRUE(placeholderOn(news().GalleryThumb));
  EXPECT_TRUE(backend.boxes.empty());
}

TEST_F(NewsWindow, PicturesPastTheirCeilingsShowPlaceholdersAndTheBannersRotateOn) {
  publish(Feed{});
  testpics::GifPlan huge;  // 35 bytes, 256 MB as a bitmap
  huge.width = 16384, huge.height = 4096;
  huge.globalMap = {ui::kBlack, ui::kWhite};
  huge.frames = {testpics::solidFrame(0, 0, 1, 1, 1)};
  route("/banner1.gif", {testpics::encodeGif(huge), nullptr});
  testpics::JpegPlan progressive;
  progressive.progressive = true;
  route("/gallery.jpg",
        {testpics::withJpegSize(testpics::encodeJpeg(progressive), 8192, 8192), nullptr});
  startWith();
  open();
  EXPECT_EQ(lastBanner(), 1);
  EXPECT_TRUE(placeholderOn(news().AdvertImage));
  EXPECT_EQ(news().AdvertImage.cursor, ui::Cursor::Default);
  EXPECT_TRUE(placeholderOn(news().GalleryThumb));
  EXPECT_EQ(news().rowCount(), 2u);
  EXPECT_EQ(news().NewsHeadLabel.caption(), "Lead story");
  backend.advance(30000);
  EXPECT_EQ(lastBanner(), 2);
  EXPECT_FALSE(placeholderOn(news().AdvertImage));
  EXPECT_TRUE(backend.boxes.empty());
}

TEST_F(NewsWindow, AnimatedBannersPlayWithTheirOwnDelays) {
  publish(Feed{});
  startWith();
  open();
  ASSERT_TRUE(news().BannerTimer.enabled());
  EXPECT_EQ(news().BannerTimer.interval(), 500u);
  EXPECT_EQ(news().AdvertImage.picture().pixel(0, 0), ui::rgb(20, 40, 160));
  backend.advance(500);
  EXPECT_EQ(news().AdvertImage.picture().pixel(0, 0), ui::rgb(240, 200, 0));
  backend.advance(500);
  EXPECT_EQ(news().AdvertImage.picture().pixel(0, 0), ui::rgb(20, 40, 160));
}

TEST_F(NewsWindow, TheSwitchIsKeptWhenTheWindowCloses) {
  startWith();
  EXPECT_FALSE(news().showNewsAtStart());
  EXPECT_EQ(news().Image5.pictureName(), "qex_false");
  sys.fakeNet.connectedState = false;
  open();
  click(news().Image5);
  EXPECT_EQ(news().Image5.pictureName(), "qex_true");
  news().close();
  EXPECT_NE(ini().find("News=1"), std::string::npos);
}

}  // namespace
