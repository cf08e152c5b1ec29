// The news window on the fake machine against a community server on loopback that serves
// what a test puts into it: a headline file, banners and gallery pictures, or a fault.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "online/headlines.h"
#include "online/qextodayfrm.h"
#include "tests/unit/app_fixture.h"
#include "tests/unit/loopback_server.h"

namespace testing_news {

// What the fixture's server answers for a path: a 200 with the body, or whatever reply does.
struct Route {
  std::string body;
  std::function<void(loopback::Connection&)> reply;
};

// A headline file with n adverts (banners /banner<i>.gif), the gallery at /gallery.jpg, a lead
// story and the given headlines (text1, text2, text3 each).
struct Feed {
  std::string version = "1.15.01.05";
  int adverts = 3;
  std::vector<online::HeadlineRecord> headlines = {
      {"First headline", "http://news.example/1", "First summary"},
      {"Second headline", "http://news.example/2", "Second summary"}};
  std::string galleryCaption = "Jane Doe";
};

// A small animated banner, a JPEG of the given size in one colour.
std::string bannerGif(int frames = 2);
std::string galleryJpeg(int width, int height, ui::Color colour);

struct NewsTest : testing_app::AppTest {
  std::mutex routesLock;
  std::map<std::string, Route> routes;
  loopback::Server server{[this](loopback::Connection& c) { answer(c); }};

  void route(const std::string& path, Route r);
  void publish(const Feed& feed);
  // Starts the program with these settings lines (besides the server's address).
  void startWith(const std::string& settings = "");
  Tqextodayfrm& news() { return *app->qextodayfrm; }
  // Shows the window and lets RefreshNews run to its end.
  void open();
  // F5 goes down and comes up, as the window gets the keys.
  void pressF5() { static_cast<ui::Form&>(news()).FormKeyDown(Tqextodayfrm::kF5); }
  void releaseF5() { static_cast<ui::Form&>(news()).FormKeyUp(Tqextodayfrm::kF5); }
  // The request lines the server received, in order.
  std::vector<std::string> requestLines() const;
  std::string url(const std::string& path) const { return server.url(path); }
  std::string cached(const std::string& name);

 private:
  void answer(loopback::Connection& c);
};

}  // namespace testing_news
