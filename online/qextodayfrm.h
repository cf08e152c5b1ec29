// The news window, the program's online front page. Every show downloads the headline file
// from the community server and builds from it a rotating advert banner, the gallery picture
// of the day with its author, a lead story with a link, and a list of headlines whose
// summaries show while the mouse rests on them.
//
// Downloads keep the window's messages flowing, so its handlers (a close, F5, a timer) can run
// in the middle of a refresh. A close or an F5 starts a new session: the clients are told to
// stop, and a sequence that finds its session over on its return leaves the window alone. A
// refresh asked for while an old download still unwinds waits for it, so two never overlap.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/window.h"
#include "codecs/gif_player.h"
#include "frame/scrollbar.h"
#include "online/adverts.h"
#include "online/connectionprobe.h"
#include "online/headlines.h"
#include "online/httpclient.h"
#include "online/newspictures.h"
#include "online/newstext.h"

class Tqextodayfrm : public app::Window {
 public:
  static constexpr int kF5 = 0x74;
  // Banner and gallery pictures are a few hundred kilobytes; nothing worth showing is larger.
  static constexpr int64_t kMaxPictureDownload = 4 * 1024 * 1024;
  static constexpr int kDownloadTimeLimitMs = 60000;

  explicit Tqextodayfrm(app::App& app);

  // Open this window when the main window is first shown (setting "News", on by default).
  bool showNewsAtStart() const { return showNewsAtStart_; }

  // In paint order: the summary under the banner (which hides while the summary shows), the
  // thumbnail under its frame, the caption above both.
  ui::Label StoryLabel{*this, "StoryLabel", {48, 267, 48, 267}};
  ui::Image AdvertImage{*this, "AdvertImage", {48, 271, 516, 331}};
  ui::Image GalleryThumb{*this, "GalleryThumb", {242, 64, 377, 199}};
  ui::Image GalleryImage{*this, "GalleryImage", {232, 64, 367, 199}};
  ui::Label AuthorLabel{*this, "AuthorLabel", {242, 208, 377, 208}};
  ui::Label NewsHeadLabel{*this, "NewsHeadLabel", {400, 32, 400, 32}};
  ui::Label NewsStoryLabel{*this, "NewsStoryLabel", {400, 68, 400, 68}};
  ui::Label NewsLinkLabel{*this, "NewsLinkLabel", {401, 224, 401, 224}};
  // Hot spots on the background: advertising, more news, the gallery.
  ui::Image Image2{*this, "Image2", {16, 272, 33, 329}};
  ui::Image Image3{*this, "Image3", {32, 218, 153, 243}};
  ui::Image Image4{*this, "Image4", {248, 28, 373, 53}};
  // The news-at-start switch.
  ui::Image Image5{*this, "Image5", {408, 346, 562, 365}};
  ui::Timer Timer1{*this, "Timer1", 30000};          // advert rotation
  ui::Timer Timer2{*this, "Timer2", 2};              // starts RefreshNews once the window is up
  ui::Timer BannerTimer{*this, "BannerTimer", 100};  // the animated banner's next frame
  // Beside the headline rows, while there are more of them than the headline area shows.
  frame::ScrollBar HeadlineScroll{*this, "HeadlineScroll", {}};

  online::HttpClient HTTPserver, HTTPbanner, HTTPgallery;

  const std::string titleText;
  const std::string versionText;
  std::string cachePath;
  bool serverOk = false, busy = false, refreshLatch = false, unsupported = false,
       hoverActive = false;
  int rotatorIndex = 0;
  online::AdvertRecord currentAdvert;
  // The gallery, news and advert links of the headline file, and the gallery's tooltip.
  online::NewsText links;
  std::string galleryHint;
  const int progressBarWidth;
  online::HeadlineList headlines;
  online::AdvertList adverts;

  // One row per headline record. The area shows pageRows() of them at once, from the scroll
  // position on, in the rows k from 0: an arrow "HeadlineArrow<k>" and a label
  // "HeadlineLabel<k>".
  size_t rowCount() const { return rowTotal_; }
  static size_t pageRows();

 private:
  struct Row {
    std::unique_ptr<ui::Image> arrow;
    std::unique_ptr<ui::Label> label;
  };

  bool showNewsAtStart_ = true;
  std::vector<Row> rows_;
  size_t rowTotal_ = 0;
  online::news::GalleryProgress progress_;
  std::unique_ptr<codecs::GifPlayer> banner_;
  std::string galleryCaption_;
  uint64_t session_ = 0;
  // The session each client's last download was started in.
  std::map<const online::HttpClient*, uint64_t> sessionOf_;
  int transfers_ = 0;
  bool refreshWanted_ = false;
  // Asked when the window shows or F5 goes down, collected by RefreshNews.
  online::ConnectionProbe connection_{app_.sys.net()};

  // Construction.
  void buildControls();
  void bindEvents();
  // The client's events, each run only while the session that started its download lasts.
  void bindDownload(online::HttpClient& client, std::function<void()> packet,
                    std::function<void()> success, std::function<void()> failure,
                    std::function<void()> connectionFailed);
  // Show and close.
  void FormShow() override;
  void FormClose(ui::CloseAction& action) override;
  // The background picture is a tile repeated over the whole client area.
  void FormPaint(ui::Canvas& canvas) override;
  void FormMouseMove(int x, int y) override;
  void FormMouseWheel(int x, int y, int delta) override;
  void FormKeyDown(int key) override;
  void FormKeyUp(int key) override;
  void mainTimer(bool run);
  // Ends the running session: its downloads stop and its rows, lists and pictures go.
  void startOver();
  void Image5Click();

  // The refresh and its downloads.
  void RefreshNews();
  void ShowNextAdvert();
  void showGalleryRecord();
  void showLeadStory();
  void fetch(online::HttpClient& client, const std::string& url, const std::string& file,
             int64_t ceiling);
  void transferEnded();
  void headlinesArrived();
  void headlinesFailed(const std::string& warning, bool disconnected);
  void bannerArrived();
  void bannerLost(const std::string& message);
  void galleryPacket();
  void galleryArrived();
  void galleryFailed();
  void advertTimer();
  void bannerFrame();
  void stopBanner();

  // Pictures.
  void placeholder(ui::Image& target, const std::string& message);
  // The banner and the gallery both say the news could not be loaded.
  void unableToLoadBoth();
  void showGallery(const std::string& caption);
  void setStatus(const std::string& status);

  // Headline rows and hovering.
  void buildRows();
  // The rows on show take the headlines from the scroll position on.
  void placeRows();
  void freeRows();
  void rowHover(size_t k);
  void rowClick(size_t k);
  void backgroundHover();
  // The first headline record whose text1 is caption, or null.
  const online::HeadlineRecord* headlineFor(const std::string& caption) const;
  void openLink(const std::string& url);
  void openPage(const char* path);
  void warn(const std::string& text);
};
