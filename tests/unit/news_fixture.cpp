#include "tests/unit/news_fixture.h"

#include "online/headlinewriter.h"
#include "tests/unit/codec_pictures.h"

namespace testing_news {

std::string bannerGif(int frames) {
  testpics::GifPlan plan;
  plan.width = 468, plan.height = 60;
  plan.globalMap = {ui::rgb(20, 40, 160), ui::rgb(240, 200, 0)};
  plan.loops = 0;
  for (int i = 0; i < frames; ++i) {
    testpics::GifFramePlan f = testpics::solidFrame(0, 0, 468, 60, static_cast<uint8_t>(i % 2));
    f.delayCs = 50;
    plan.frames.push_back(f);
  }
  return testpics::encodeGif(plan);
}

std::string galleryJpeg(int width, int height, ui::Color colour) {
  testpics::JpegPlan plan;
  plan.width = width, plan.height = height;
  plan.pixel = [colour](int, int) { return colour; };
  return testpics::encodeJpeg(plan);
}

void NewsTest::route(const std::string& path, Route r) {
  std::lock_guard<std::mutex> hold(routesLock);
  routes[path] = std::move(r);
}

void NewsTest::publish(const Feed& feed) {
  std::string adverts;
  for (int i = 0; i < feed.adverts; ++i) {
    const std::string n = std::to_string(i);
    adverts += url("/banner" + n + ".gif") + "|http://ads.example/" + n + "|Advert " + n + "\n";
    route("/banner" + n + ".gif", {bannerGif(), nullptr});
  }
  std::vector<online::HeadlineRecord> records = {
      {feed.version, "", adverts},
      {feed.galleryCaption, "Sunset over the bay",
       "http://gallery.example/jane|http://gallery.example/sunset|" + url("/gallery.jpg")},
      {"Lead story", "Read more|http://news.example/lead", "The lead story's body."}};
  records.insert(records.end(), feed.headlines.begin(), feed.headlines.end());
  route("/today/headlines.db", {online::encodeHeadlines(records), nullptr});
  route("/gallery.jpg", {galleryJpeg(400, 300, ui::rgb(200, 40, 40)), nullptr});
}

void NewsTest::startWith(const std::string& settings) {
  sys.fakeFiles.addFile("C:\\Program Files\\Orvanta\\qexsys.ini",
                        "[System]\r\nNews=0\r\n" + settings);
  start();
  app->config.communityHost = "127.0.0.1:" + std::to_string(server.port());
  for (online::HttpClient* c : {&news().HTTPserver, &news().HTTPbanner, &news().HTTPgallery})
    c->TimeOut = 5000;
}

void NewsTest::open() {
  news().show();
  backend.advance(2);
}

std::vector<std::string> NewsTest::requestLines() const {
  std::vector<std::string> lines;
  for (const std::string& r : server.requests()) lines.push_back(r.substr(0, r.find("\r\n")));
  return lines;
}

std::string NewsTest::cached(const std::string& name) {
  return sys.files().readFile("C:\\Program Files\\Orvanta\\Cache\\" + name, 1 << 26).value_or("");
}

void NewsTest::answer(loopback::Connection& c) {
  const std::string& request = c.request();
  const size_t start = request.find(' ') + 1;
  const std::string path = request.substr(start, request.find(' ', start) - start);
  Route r;
  bool found = false;
  {
    std::lock_guard<std::mutex> hold(routesLock);
    auto it = routes.find(path);
    if (it != routes.end()) r = it->second, found = true;
  }
  if (r.reply) return r.reply(c);
  if (!found) return c.send("HTTP/1.0 404 Not Found\r\nContent-Length: 9\r\n\r\nNot found");
  c.send("HTTP/1.0 200 OK\r\nContent-Length: " + std::to_string(r.body.size()) + "\r\n\r\n" +
         r.body);
}

}  // namespace testing_news
