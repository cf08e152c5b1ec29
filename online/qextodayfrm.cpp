// The news window: its controls, showing and closing, the keys, the start-up switch, and the
// headline rows with their hovering and links.
#include "online/qextodayfrm.h"

#include <algorithm>

#include "app/qex_ulm_frm.h"
#include "online/community.h"
#include "online/weblink.h"
#include "platform/folders.h"
#include "skin/layout.h"
#include "ui/dialogs.h"

namespace {

namespace community = online::community;

constexpr int kRowTop = 59, kRowStep = 18;
constexpr int kRowLeft = 32, kArrowLeft = 21, kArrowDrop = 3;
constexpr ui::Rect kHeadlineArea = skin::layout::news_today::kHeadlines;
// The scroll bar keeps clear of the area's rounded edge; headlines keep clear of the bar.
constexpr int kScrollInset = 6, kScrollGap = 3;

ui::Font labelFont(int points, bool bold) {
  return ui::Font::points("MS Sans Serif", points, bold, ui::kWhite);
}

}  // namespace

Tqextodayfrm::Tqextodayfrm(app::App& app)
    : Window(app, "Tqextodayfrm", "qextodayfrm", 566, 365, app::App::kTitle, "news_today"),
      HTTPserver(app.sys.sockets(), app.sys.files(), app.sys.clock(), [this] { app_.ui.processMessages(); }),
      HTTPbanner(app.sys.sockets(), app.sys.files(), app.sys.clock(), [this] { app_.ui.processMessages(); }),
      HTTPgallery(app.sys.sockets(), app.sys.files(), app.sys.clock(), [this] { app_.ui.processMessages(); }),
      titleText(app::App::kTitle),
      versionText(community::kHeadlinesVersion),
      cachePath(app.programDir() + "Cache\\"),
      progressBarWidth(GalleryImage.width() - 4),
      progress_(progressBarWidth) {
  font = ui::Font::pixels("MS Sans Serif", 11);
  buildControls();
  bindEvents();
  for (online::HttpClient* client : {&HTTPserver, &HTTPbanner, &HTTPgallery}) {
    client->Port = 80;
    client->InputFileMode = true;
    client->TimeOut = 30000;
    client->TimeLimit = kDownloadTimeLimitMs;
  }
  auto settings = app.settings();
  showNewsAtStart_ = settings.readBool("System", "News", true);
  skin().load(Image5, showNewsAtStart_ ? "qex_true" : "qex_false");
}

void Tqextodayfrm::buildControls() {
  // Blocks of text with the size of their place (a label made empty shrank to nothing).
  const struct {
    ui::Label& label;
    ui::Rect place;
  } blocks[] = {{StoryLabel, {48, 267, 516, 331}},
                {NewsHeadLabel, {400, 32, 545, 58}},
                {NewsStoryLabel, {400, 68, 545, 213}}};
  for (const auto& b : blocks) {
    b.label.setAutoSize(false);
    b.label.setWordWrap(true);
    b.label.setBounds(b.place);
  }
  StoryLabel.setFont(labelFont(8, false));
  AuthorLabel.setFont(labelFont(7, true));
  AuthorLabel.setAutoSize(false);
  AuthorLabel.setAlignment(ui::Align::Center);
  AuthorLabel.setHeight(app_.ui.text().measure(AuthorLabel.font(), "Ag").height);
  NewsHeadLabel.setFont(labelFont(8, true));
  NewsStoryLabel.setFont(labelFont(7, false));
  NewsLinkLabel.setFont(labelFont(7, true));
  NewsLinkLabel.cursor = ui::Cursor::Hand;
  GalleryThumb.setAutoSize(true);
  for (ui::Image* i : {&GalleryThumb, &GalleryImage, &AdvertImage}) i->setTransparent(true);
  Image5.setAutoSize(true);
  const int scrollRight = kHeadlineArea.right - kScrollInset;
  HeadlineScroll.setBounds({scrollRight - frame::ScrollBar::kWidth, kRowTop - 1, scrollRight,
                            kRowTop + kRowStep * static_cast<int>(pageRows()) - 5});
  const struct {
    ui::Image& image;
    const char* hint;
  } spots[] = {
      {Image2, "Advertise"}, {Image3, "News from around the world"}, {Image4, "Visit the Gallery"}};
  for (const auto& s : spots) {
    s.image.cursor = ui::Cursor::Hand;
    s.image.hint = s.hint;
    s.image.showHint = true;
  }
}

void Tqextodayfrm::bindEvents() {
  Image2.onClick = [this] { openPage(community::kAdvertise); };
  Image3.onClick = [this] { openPage(community::kNewsAnnouncements); };
  Image4.onClick = [this] { openPage(community::kGallery); };
  Image5.onClick = [this] { Image5Click(); };
  AdvertImage.onClick = [this] {
    if (AdvertImage.cursor == ui::Cursor::Hand) openLink(currentAdvert.clickUrl);
  };
  AuthorLabel.onClick = [this] {
    if (AuthorLabel.cursor == ui::Cursor::Hand) openLink(links.authorLink);
  };
  GalleryImage.onClick = [this] {
    if (GalleryImage.cursor != ui::Cursor::Hand) return;
    openLink(links.pictureLink);
    skin().play("photoclick");
  };
  NewsLinkLabel.onClick = [this] { openLink(links.newsLinkUrl); };
  AuthorLabel.onMouseMove = [this](int, int) { AuthorLabel.setUnderline(true); };
  NewsLinkLabel.onMouseMove = [this](int, int) { NewsLinkLabel.setUnderline(true); };
  GalleryThumb.onMouseMove = [this](int, int) { backgroundHover(); };
  GalleryImage.onMouseMove = [this](int, int) { backgroundHover(); };

  Timer1.onTimer = [this] { advertTimer(); };
  Timer2.onTimer = [this] { RefreshNews(); };
  BannerTimer.onTimer = [this] { bannerFrame(); };
  HeadlineScroll.onScroll = [this] { placeRows(); };

  bindDownload(
      HTTPserver,
      [this] {
        app_.ui.setScreenCursor(ui::Cursor::Hourglass);
        for (ui::Label* l : {&NewsLinkLabel, &NewsHeadLabel, &NewsStoryLabel}) l->setCaption("");
      },
      [this] { headlinesArrived(); },
      [this] {
        headlinesFailed(
            "Unable to connect to server.\nQEX instant news is currently unavailable.", true);
      },
      [this] {
        headlinesFailed("Unable to connect to server.\nPlease make sure that you are connected to "
                        "the internet.",
                        false);
      });
  const auto bannerFailed = [this] { bannerLost("Unable to load image"); };
  // Banner packets are ignored.
  bindDownload(HTTPbanner, [] {}, [this] { bannerArrived(); }, bannerFailed, bannerFailed);
  const auto galleryLost = [this] { galleryFailed(); };
  bindDownload(HTTPgallery, [this] { galleryPacket(); }, [this] { galleryArrived(); }, galleryLost,
               galleryLost);
}

void Tqextodayfrm::bindDownload(online::HttpClient& client, std::function<void()> packet,
                                std::function<void()> success, std::function<void()> failure,
                                std::function<void()> connectionFailed) {
  // A close or an F5 ends the session and stops its downloads; what one of them still reports
  // on its way out (a stop reads as a failed connection) is for a window that is gone.
  auto current = [this, &client](std::function<void()> event) {
    return [this, &client, event] {
      if (sessionOf_[&client] == session_) event();
    };
  };
  client.OnPacketRecvd = current(std::move(packet));
  client.OnSuccess = [event = current(std::move(success))](online::HttpMethod) { event(); };
  client.OnFailure = [event = current(std::move(failure))](online::HttpMethod) { event(); };
  client.OnConnectionFailed = current(std::move(connectionFailed));
}

void Tqextodayfrm::FormPaint(ui::Canvas& canvas) {
  // The picture is a tile, repeated over the whole window; the first one tells its size.
  const auto tile = skin().paint(canvas, 0, 0, backgroundName());
  if (!tile || tile->width <= 0 || tile->height <= 0) return;
  for (int y = 0; y < clientHeight(); y += tile->height)
    for (int x = 0; x < clientWidth(); x += tile->width)
      if (x || y) skin().paint(canvas, x, y, backgroundName());
}

void Tqextodayfrm::mainTimer(bool run) {
  Tqex_ulm_frm& main = *app_.qex_ulm_frm;
  if (!main.visible()) return;
  if (run)
    main.Timer1.start();
  else
    main.Timer1.stop();
}

void Tqextodayfrm::FormShow() {
  // First: the answer takes as long as the window takes to come up.
  connection_.start();
  mainTimer(false);
  setCaption(titleText);
  AuthorLabel.setWidth(0);
  // The downloads land in cachePath, whatever install path the registry remembers.
  platform::createFolders(app_.sys.files(), cachePath);
  rotatorIndex = app_.settings().readInteger("Rotator", "Loop", rotatorIndex);
  for (ui::Image* i : {&AdvertImage, &GalleryImage}) {
    i->cursor = ui::Cursor::Default;
    i->hint.clear();
    i->showHint = false;
  }
  Timer2.start();
}

void Tqextodayfrm::FormClose(ui::CloseAction&) {
  startOver();
  Timer2.stop();
  Timer1.stop();
  mainTimer(true);
  // Last, since a refused write ends the handler with the exception box.
  auto settings = app_.settings();
  settings.writeInteger("Rotator", "Loop", rotatorIndex);
  settings.writeBool("System", "News", showNewsAtStart_);
}

void Tqextodayfrm::startOver() {
  ++session_;
  for (online::HttpClient* client : {&HTTPserver, &HTTPbanner, &HTTPgallery}) client->abort();
  if (hoverActive) {
    hoverActive = false;
    StoryLabel.setCaption("");
    AdvertImage.setVisible(true);
  }
  freeRows();
  adverts.Clear();
  headlines.Clear();
  stopBanner();
  AdvertImage.clearPicture();
  GalleryThumb.clearPicture();
  GalleryImage.setVisible(false);
  progress_.reset();
  unsupported = false;
}

void Tqextodayfrm::FormKeyDown(int key) {
  if (key != kF5 || refreshLatch || busy) return;
  refreshLatch = true;
  startOver();
  connection_.start();
  Timer2.start();
  Timer1.stop();
}

void Tqextodayfrm::FormKeyUp(int) { refreshLatch = false; }

void Tqextodayfrm::Image5Click() {
  showNewsAtStart_ = !showNewsAtStart_;
  skin().load(Image5, showNewsAtStart_ ? "qex_true" : "qex_false");
}

size_t Tqextodayfrm::pageRows() {
  return static_cast<size_t>((kHeadlineArea.bottom - kRowTop) / kRowStep);
}

void Tqextodayfrm::buildRows() {
  freeRows();
  rowTotal_ = headlines.count() > 3 ? headlines.count() - 3 : 0;
  const ui::Bitmap arrow = skin().bitmap("arrow");
  // Only the rows on show are controls: a file of thousands of headlines costs no more.
  for (size_t k = 0; k < std::min(rowTotal_, pageRows()); ++k) {
    const int top = kRowTop + kRowStep * static_cast<int>(k);
    Row row;
    row.arrow = std::make_unique<ui::Image>(
        *this, "HeadlineArrow" + std::to_string(k),
        ui::Rect{kArrowLeft, top + kArrowDrop, kArrowLeft + 5, top + kArrowDrop + 7});
    row.arrow->setTransparent(true);
    row.arrow->setPicture(arrow, "arrow");
    row.arrow->onMouseMove = [this](int, int) { backgroundHover(); };
    row.label = std::make_unique<ui::Label>(*this, "HeadlineLabel" + std::to_string(k),
                                            ui::Rect{kRowLeft, top, kRowLeft, top});
    ui::Label& label = *row.label;
    label.setFont(labelFont(7, true));
    label.cursor = ui::Cursor::Hand;
    label.onMouseMove = [this, k](int, int) { rowHover(k); };
    label.onClick = [this, k] { rowClick(k); };
    rows_.push_back(std::move(row));
  }
  HeadlineScroll.setRange(static_cast<int>(rowTotal_), static_cast<int>(pageRows()));
  placeRows();
}

void Tqextodayfrm::placeRows() {
  // A long headline is cut at the scroll bar or the edge of the area, not drawn over the
  // gallery.
  const int rightEdge =
      HeadlineScroll.visible() ? HeadlineScroll.left() - kScrollGap : kHeadlineArea.right;
  const size_t first = static_cast<size_t>(HeadlineScroll.position());
  for (size_t k = 0; k < rows_.size(); ++k) {
    ui::Label& label = *rows_[k].label;
    label.setAutoSize(true);
    label.setCaption(headlines.at(3 + first + k).text1);
    if (label.bounds().right > rightEdge) {
      label.setAutoSize(false);
      label.setWidth(rightEdge - kRowLeft);
    }
  }
  // The row under the mouse shows another headline now, and its summary follows it.
  for (size_t k = 0; k < rows_.size(); ++k)
    if (hoverActive && rows_[k].label->font().underline) rowHover(k);
}

void Tqextodayfrm::freeRows() {
  rows_.clear();
  rowTotal_ = 0;
  HeadlineScroll.setRange(0, static_cast<int>(pageRows()));
}

const online::HeadlineRecord* Tqextodayfrm::headlineFor(const std::string& caption) const {
  for (size_t i = 3; i < headlines.count(); ++i)
    if (headlines.at(i).text1 == caption) return &headlines.at(i);
  return nullptr;
}

void Tqextodayfrm::rowHover(size_t k) {
  ui::Label& row = *rows_.at(k).label;
  if (busy) {
    row.cursor = ui::Cursor::Hourglass;
    return;
  }
  if (row.cursor == ui::Cursor::Hourglass) row.cursor = ui::Cursor::Hand;
  hoverActive = true;
  AdvertImage.setVisible(false);
  for (Row& r : rows_) r.label->setUnderline(false);
  row.setUnderline(true);
  const online::HeadlineRecord* record = headlineFor(row.caption());
  if (record && !record->text1.empty()) StoryLabel.setCaption(record->text3);
}

void Tqextodayfrm::rowClick(size_t k) {
  if (const online::HeadlineRecord* record = headlineFor(rows_.at(k).label->caption()))
    openLink(record->text2);
}

void Tqextodayfrm::FormMouseMove(int, int) { backgroundHover(); }

void Tqextodayfrm::FormMouseWheel(int x, int y, int delta) {
  if (kHeadlineArea.contains(x, y)) HeadlineScroll.wheel(delta);
}

void Tqextodayfrm::backgroundHover() {
  AuthorLabel.setUnderline(false);
  NewsLinkLabel.setUnderline(false);
  if (!hoverActive) return;
  StoryLabel.setCaption("");
  Timer1.start();
  AdvertImage.setVisible(true);
  for (Row& r : rows_) r.label->setUnderline(false);
  hoverActive = false;
}

void Tqextodayfrm::openLink(const std::string& url) {
  // Links come from a downloaded file: anything but a web address is not the shell's business.
  if (online::isWebLink(url)) app_.openUrl(this, url, app::urlFailure(url));
}

void Tqextodayfrm::openPage(const char* path) {
  openLink(community::address(app_.config.communityHost, path));
}

void Tqextodayfrm::warn(const std::string& text) {
  app_.ui.messageBox(this, text, titleText, ui::kMbOk | ui::kMbIconWarning);
}
