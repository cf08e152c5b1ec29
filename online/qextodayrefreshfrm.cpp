// The news window's refresh: the headline file, the advert banner and the gallery picture
// downloaded in turn, what each download's events do, and the pictures drawn from them.
#include "codecs/decode_error.h"
#include "codecs/thumbnail.h"
#include "online/community.h"
#include "online/newscaptions.h"
#include "online/qextodayfrm.h"
#include "platform/busyflag.h"
#include "ui/dialogs.h"

namespace {

namespace community = online::community;
namespace news = online::news;

constexpr int kThumbnailSide = 135;
constexpr int kFrameMargin = 11;
constexpr int kCaptionGap = 5;
const char kUnableToLoad[] = "Unable to load image";

// busy while a refresh runs, with the hourglass over the program; both end with the refresh,
// however it ends.
class BusyScope {
 public:
  BusyScope(bool& busy, ui::Application& ui) : flag_(busy), ui_(ui) {
    ui_.setScreenCursor(ui::Cursor::Hourglass);
  }
  ~BusyScope() { ui_.setScreenCursor(ui::Cursor::Default); }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  platform::BusyFlag flag_;
  ui::Application& ui_;
};

}  // namespace

void Tqextodayfrm::RefreshNews() {
  Timer2.stop();
  if (transfers_ > 0) {
    refreshWanted_ = true;
    return;
  }
  if (!connection_.answer()) {
    serverOk = false;
    AdvertImage.setTransparent(true);
    unableToLoadBoth();
    warn(
        "Unable to connect to QEX server.\nPlease make sure that you are connected to the "
        "internet.");
    return;
  }
  // The state was asked a moment ago: asking again would tell nothing new, and costs tens of
  // milliseconds under Wine.
  serverOk = true;
  const uint64_t session = session_;
  BusyScope scope(busy, app_.ui);
  try {
    fetch(HTTPserver, community::address(app_.config.communityHost, community::kHeadlinesPath),
          "headlines.db", online::kMaxHeadlineFile);
  } catch (const online::HttpError&) {
    if (session != session_) return;
    serverOk = false;
    unableToLoadBoth();
  }
  if (session != session_) return;
  setStatus("Loading...");
  if (serverOk && !unsupported) {
    ShowNextAdvert();
    if (session != session_) return;
    showGalleryRecord();
    if (session != session_) return;
    showLeadStory();
    Timer1.start();
  }
  setCaption(titleText);
}

void Tqextodayfrm::fetch(online::HttpClient& client, const std::string& url,
                         const std::string& file, int64_t ceiling) {
  client.Body = cachePath + file;
  client.MaxBodySize = ceiling;
  sessionOf_[&client] = session_;
  ++transfers_;
  struct Ended {
    Tqextodayfrm& window;
    ~Ended() { window.transferEnded(); }
  } ended{*this};
  try {
    client.Get(url);
  } catch (const online::HttpFileError& e) {
    // Not the server's doing: the program's own folder cannot be written.
    app_.cannotWrite(e.path());
    throw;
  }
}

void Tqextodayfrm::transferEnded() {
  if (--transfers_ > 0 || !refreshWanted_) return;
  refreshWanted_ = false;
  if (visible()) Timer2.start();
}

void Tqextodayfrm::setStatus(const std::string& status) {
  setCaption(titleText + " - " + status);
}

void Tqextodayfrm::headlinesArrived() {
  serverOk = true;
  headlines.Load(app_.sys.files(), cachePath + "headlines.db");
  if (headlines.count() == 0) {
    serverOk = false;
    return;
  }
  if (headlines.at(0).text1 != versionText) {
    unsupported = true;
    Timer1.stop();
    AdvertImage.setTransparent(true);
    headlines.Clear();
    unableToLoadBoth();
    const std::string question = "This file is not supported by " + titleText +
                                 ".\nDo you want to check " + app_.config.vendorSite +
                                 " for updates?";
    if (app_.ui.messageBox(nullptr, question, titleText, ui::kMbYesNo | ui::kMbIconInformation) ==
        ui::kIdYes)
      openPage(community::kHome);
    return;
  }
  buildRows();
  adverts.Clear();
  online::ParseAdvertList(headlines.at(0).text3, links, adverts);
  rotatorIndex = news::advertIndexInRange(rotatorIndex, adverts.count());
  app_.ui.setScreenCursor(ui::Cursor::Default);
}

void Tqextodayfrm::headlinesFailed(const std::string& warning, bool disconnected) {
  serverOk = false;
  app_.ui.setScreenCursor(ui::Cursor::Default);
  AdvertImage.setTransparent(true);
  unableToLoadBoth();
  if (disconnected) setStatus("Disconnected");
  warn(warning);
}

void Tqextodayfrm::ShowNextAdvert() {
  if (rotatorIndex < 0 || adverts.count() == 0) {
    placeholder(AdvertImage, "Unable to locate image on server");
    return;
  }
  rotatorIndex = news::nextAdvertIndex(rotatorIndex, adverts.count());
  currentAdvert = adverts.at(static_cast<size_t>(rotatorIndex));
  AdvertImage.hint = currentAdvert.hint;
  const uint64_t session = session_;
  try {
    fetch(HTTPbanner, currentAdvert.imageUrl, "temp.gif", kMaxPictureDownload);
  } catch (const online::HttpError&) {
    if (session == session_) bannerLost(kUnableToLoad);
  }
}

void Tqextodayfrm::advertTimer() {
  // A refresh starts the rotation itself when it is done, and a banner still on its way is
  // not asked for twice.
  if (busy || HTTPbanner.busy()) return;
  if (app_.sys.net().connected())
    ShowNextAdvert();
  else
    bannerLost(kUnableToLoad);
}

void Tqextodayfrm::bannerArrived() {
  AdvertImage.setTransparent(false);
  if (AdvertImage.cursor == ui::Cursor::Default) {
    AdvertImage.cursor = ui::Cursor::Hand;
    AdvertImage.showHint = true;
  }
  stopBanner();
  AdvertImage.clearPicture();
  try {
    banner_ = std::make_unique<codecs::GifPlayer>(
        codecs::decodeGifFile(app_.sys.files(), cachePath + "temp.gif"));
  } catch (const codecs::DecodeError&) {
    bannerLost("Unknown image format");
    return;
  }
  AdvertImage.setPicture(banner_->currentFrame());
  bannerFrame();
}

void Tqextodayfrm::bannerFrame() {
  if (!banner_) return BannerTimer.stop();
  if (BannerTimer.enabled() && banner_->advance(BannerTimer.interval()))
    AdvertImage.setPicture(banner_->currentFrame());
  const int64_t next = banner_->timeToNextFrame();
  if (next < 0) return BannerTimer.stop();
  BannerTimer.setInterval(static_cast<uint32_t>(next));
  BannerTimer.start();
}

void Tqextodayfrm::stopBanner() {
  banner_.reset();
  BannerTimer.stop();
}

void Tqextodayfrm::bannerLost(const std::string& message) {
  placeholder(AdvertImage, message);
  app_.ui.setScreenCursor(ui::Cursor::Default);
  AdvertImage.setTransparent(true);
  AdvertImage.cursor = ui::Cursor::Default;
  AdvertImage.hint.clear();
  AdvertImage.showHint = false;
}

void Tqextodayfrm::showGalleryRecord() {
  if (headlines.count() < 2) {
    placeholder(GalleryThumb, kUnableToLoad);
    return;
  }
  // Copies: the lists may be cleared by a close while the picture downloads.
  const online::HeadlineRecord record = headlines.at(1);
  online::SplitGalleryLinks(record.text3, links);
  galleryHint = record.text2;
  GalleryImage.hint = galleryHint;
  galleryCaption_ = news::galleryCaption(record.text1);
  const uint64_t session = session_;
  try {
    fetch(HTTPgallery, links.galleryImageUrl, "gallery.jpg", kMaxPictureDownload);
  } catch (const online::HttpError&) {
    if (session != session_) return;
    GalleryThumb.cursor = ui::Cursor::Default;
    GalleryThumb.hint.clear();
    placeholder(GalleryThumb, kUnableToLoad);
  }
}

void Tqextodayfrm::showLeadStory() {
  if (headlines.count() < 3) return;
  const online::HeadlineRecord& lead = headlines.at(2);
  NewsHeadLabel.setCaption(lead.text1);
  online::SplitNewsLink(lead.text2, links);
  NewsLinkLabel.setCaption(links.newsLinkCaption);
  NewsStoryLabel.setCaption(lead.text3);
}

void Tqextodayfrm::galleryPacket() {
  AuthorLabel.setCaption("");
  if (AuthorLabel.cursor == ui::Cursor::Hand)
    AuthorLabel.cursor = GalleryImage.cursor = ui::Cursor::Default;
  if (HTTPgallery.bytesTotal <= 0) return;
  app_.ui.setScreenCursor(ui::Cursor::Hourglass);
  const std::string text =
      news::progressText(HTTPgallery.bytesReceived, app_.sys.system().thousandsSeparator());
  GalleryThumb.setPicture(progress_.picture(GalleryThumb.width(), GalleryThumb.height(), text,
                                            HTTPgallery.bytesReceived, HTTPgallery.bytesTotal,
                                            app_.ui.text()));
}

void Tqextodayfrm::galleryArrived() {
  try {
    showGallery(galleryCaption_);
  } catch (const codecs::DecodeError&) {
    placeholder(GalleryThumb, "Unknown image format");
  }
  app_.ui.setScreenCursor(ui::Cursor::Default);
  AuthorLabel.cursor = GalleryImage.cursor = ui::Cursor::Hand;
  GalleryImage.showHint = true;
}

void Tqextodayfrm::galleryFailed() {
  placeholder(GalleryThumb, kUnableToLoad);
  AuthorLabel.setCaption("");
  app_.ui.setScreenCursor(ui::Cursor::Default);
  AuthorLabel.cursor = GalleryImage.cursor = ui::Cursor::Default;
  GalleryImage.showHint = false;
  setStatus("Disconnected");
}

void Tqextodayfrm::unableToLoadBoth() {
  placeholder(AdvertImage, kUnableToLoad);
  placeholder(GalleryThumb, kUnableToLoad);
}

void Tqextodayfrm::placeholder(ui::Image& target, const std::string& message) {
  if (&target == &AdvertImage) stopBanner();
  target.clearPicture();
  ui::Bitmap icon = skin().bitmap("error");
  icon.transparent = true;
  ui::Bitmap picture =
      news::placeholderPicture(target.width(), target.height(), icon, message, app_.ui.text());
  if (&target == &GalleryThumb) {
    GalleryImage.setPicture(news::roundedFrame(GalleryImage.width(), GalleryImage.height()));
    const int left = GalleryThumb.left() + GalleryThumb.width() / 2 - GalleryImage.width() / 2;
    const int top = GalleryThumb.top() + GalleryThumb.height() / 2 - GalleryImage.height() / 2;
    GalleryImage.setBounds({left, top, left + GalleryImage.width(), top + GalleryImage.height()});
    AuthorLabel.setTop(GalleryImage.bounds().bottom + kCaptionGap);
    AuthorLabel.setCaption("");
    AuthorLabel.setWidth(0);
  }
  target.setPicture(picture);
}

void Tqextodayfrm::showGallery(const std::string& caption) {
  codecs::Thumbnail thumb =
      codecs::MakeThumbnail(app_.sys.files(), cachePath + "gallery.jpg", kThumbnailSide);
  // Around a picture that is not square the square's background shows; it is not drawn.
  thumb.picture.transparent = true;
  thumb.picture.hasTransparentColor = true;
  thumb.picture.transparentColorValue = codecs::kThumbnailBackground;
  const int width = thumb.width + kFrameMargin, height = thumb.height + kFrameMargin;
  const int left = GalleryThumb.left() + GalleryThumb.width() / 2 - width / 2;
  const int top = GalleryThumb.top() + GalleryThumb.height() / 2 - height / 2;
  GalleryImage.setBounds({left, top, left + width, top + height});
  AuthorLabel.setTop(top + height + kCaptionGap);
  GalleryImage.setPicture(news::roundedFrame(width, height));
  GalleryThumb.setPicture(thumb.picture);
  GalleryImage.setVisible(true);
  const ui::Size extent = app_.ui.text().measure(news::pictureFont(), caption);
  const int captionLeft = GalleryThumb.left() + GalleryThumb.width() / 2 - extent.width / 2;
  AuthorLabel.setBounds(
      {captionLeft, AuthorLabel.top(), captionLeft + extent.width, AuthorLabel.bounds().bottom});
  AuthorLabel.setCaption(caption);
}
