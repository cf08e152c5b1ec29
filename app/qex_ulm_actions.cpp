// The main window's interaction: hover and pressed pictures, the check pictures of the
// cleanup choices, and what each button, link and menu entry does.
#include "app/aboutfrm.h"
#include "app/qex_ulm_frm.h"
#include "app/tools.h"
#include "online/community.h"
#include "online/loginfrm.h"
#include "sysinfo/softwarefrm.h"
#include "ui/dialogs.h"

namespace community = online::community;

void Tqex_ulm_frm::bindActions() {
  for (size_t i = 0; i < toolButtons_.size(); ++i) {
    ui::Image& face = toolButtons_[i].image();
    face.onMouseMove = [this, i](int, int) { toolButtonHover(i); };
    face.onMouseDown = [this, i](int, int) { toolButtons_[i].press(); };
    face.onClick = [this, i] { openTool(i); };
  }

  Image28.onMouseMove = [this](int, int) {
    if (!selectedFolder_.empty()) browseButton_.hover();
  };
  Image28.onMouseDown = [this](int, int) { browseButton_.press(); };
  Image28.onClick = [this] {
    if (selectedFolder_.empty()) return;
    browseButton_.normal();
    if (app_.sys.files().directoryExists(selectedFolder_)) app_.sys.shell().execute(0, "open", selectedFolder_);
  };

  for (ui::Image* link : {&Image17, &Image19, &Image21}) link->onMouseMove = [this, link](int, int) { forumLinkHover(*link); };
  Image21.onClick = [this] { forumAction(21); };
  Image19.onClick = [this] { forumAction(19); };
  Image17.onClick = [this] { forumAction(17); };

  Image22.onMouseMove = [this](int, int) {
    if (Image22.pictureName() != "software") skin().load(Image22, "software");
    hoverLatch = true;
    if (linkHoverLatch_) return;
    linkHoverLatch_ = true;
    placeForumLinks();
  };
  Image22.onClick = [this] { app_.softwarefrm->show(); };
  Image23.onMouseMove = [this](int, int) {
    if (linkHoverLatch_) return;
    skin().load(Image23, "hardware");
    linkHoverLatch_ = hoverLatch = true;
    skin().load(Image27, "qex_today_1");
    skin().load(Image30, "freeware_1");
  };
  Image23.onClick = [this] {
    if (cookieMember) app_.openForum(this, community::newThreadPath(community::kHardwareForum));
    else
      app_.ui.messageBox(this, online::kBrowserLoginText, online::kNoCookieCaption, ui::kMbOk | ui::kMbIconInformation);
  };

  auto topLink = [this](ui::Image& own, const char* ownBase, ui::Image& other, const char* otherPicture) {
    return [this, &own, ownBase, &other, otherPicture](int, int) {
      if (linkHoverLatch_) linkHoverLatch_ = hoverLatch = false;
      if (hoverLatch) return;
      skin().load(own, std::string(ownBase) + "_2");
      hoverLatch = true;
      skin().load(other, otherPicture);
      Image23.clearPicture();
    };
  };
  Image27.onMouseMove = topLink(Image27, "qex_today", Image30, "freeware_1");
  Image30.onMouseMove = topLink(Image30, "freeware", Image27, "qex_today_1");
  Image27.onClick = [this] { showNews(); };
  Image30.onClick = [this] { app_.openUrl(this, app_.config.downloadSite, app::urlFailure(app_.config.downloadSite)); };
  Image31.onClick = [this] { app_.aboutfrm->show(); };

  for (size_t i = 0; i < checks_.size(); ++i) {
    checks_[i].image().onMouseMove = [this, i](int, int) { checkHover(i); };
    checks_[i].image().onClick = [this, i] { checkClick(i); };
  }

  // Decorations that pass their mouse moves to the window.
  for (ui::Control* c : std::initializer_list<ui::Control*>{&Label9, &Image18, &Image20, &Image29})
    c->onMouseMove = [this](int x, int y) { FormMouseMove(x, y); };

  Timer1.onTimer = [this] { refreshMemory(); };
  Timer2.onTimer = [this] {
    refreshDisk();
    refreshProcessCount();
    if (!storedUser.empty()) return;
    if (!dialogLogin) detectMembership();
    placeForumLinks();
  };
  // The news opens by itself only for a window the user sees: not after "-monitor" or
  // "-scan" sent it to the tray at its first painting.
  Timer4.onTimer = [this] {
    Timer4.stop();
    if (visible()) showNews();
  };
}

void Tqex_ulm_frm::toolButtonHover(size_t tool) {
  if (!toolButtons_[tool].hover()) return;
  for (size_t i = 0; i < toolButtons_.size(); ++i)
    if (i != tool) toolButtons_[i].normal();
}

void Tqex_ulm_frm::openTool(size_t tool) {
  const app::Tool& t = app::kTools[tool];
  if (t.busy && t.busy(app_)) return;
  toolButtons_[tool].show(2);
  Timer1.stop();
  Timer2.stop();
  t.window(app_).show();
}

void Tqex_ulm_frm::resumeTimers() {
  if (!visible()) return;
  Timer1.start();
  Timer2.start();
}

void Tqex_ulm_frm::forumLinkHover(ui::Image& link) {
  if (linkHoverLatch_) linkHoverLatch_ = hoverLatch = false;
  if (hoverLatch) return;
  placeForumLinks();
  const std::string name = link.pictureName();
  skin().load(link, name.substr(0, name.size() - 2) + "_2");
  hoverLatch = true;
  Image22.clearPicture();
}

void Tqex_ulm_frm::FormMouseMove(int, int) {
  linkHoverLatch_ = false;
  for (size_t i = 0; i < checks_.size(); ++i)
    if (checkEnabled(i)) checks_[i].leave();
  if (!hoverLatch) return;
  resetHover();
}

void Tqex_ulm_frm::resetHover() {
  hoverLatch = false;
  for (frame::ImageButton& b : toolButtons_) b.normal();
  for (frame::HoverLink& l : folderLinks_) l.normal();
  Image22.clearPicture();
  Image23.clearPicture();
  skin().load(Image27, "qex_today_1");
  skin().load(Image30, "freeware_1");
  if (selectedFolder_.empty()) Image28.clearPicture();
  else browseButton_.normal();
  placeForumLinks();
}

// The quarantine item takes part only when a quarantine folder is known.
bool Tqex_ulm_frm::checkEnabled(size_t item) const { return item != 2 || app_.facts.hasQuarantine(); }

void Tqex_ulm_frm::showCleanupChoices() {
  if (!checkEnabled(2)) excludeNorton = true;
  const bool excluded[3] = {excludeTemporary, excludeRecycle, excludeNorton};
  for (size_t i = 0; i < checks_.size(); ++i) checks_[i].reset(excluded[i]);
  if (!checkEnabled(2)) skin().load(Image7, "norton_ui");
}

void Tqex_ulm_frm::checkHover(size_t item) {
  if (!checkEnabled(item)) return;
  for (size_t i = 0; i < checks_.size(); ++i) {
    if (i == item) checks_[i].hover();
    else if (checkEnabled(i)) checks_[i].leave();
  }
}

void Tqex_ulm_frm::checkClick(size_t item) {
  if (!checkEnabled(item) || !checks_[item].click()) return;
  bool* excluded[3] = {&excludeTemporary, &excludeRecycle, &excludeNorton};
  *excluded[item] = checks_[item].excluded();
}

void Tqex_ulm_frm::folderLinkClick(ui::Label& label) {
  browseButton_.normal();
  selectedFolder_ = label.caption() + "\\";
  int count = 0;
  platform::FindData entry;
  if (auto find = app_.sys.files().findFirst(selectedFolder_ + "*.*", entry)) {
    do {
      if (!entry.isDotEntry()) ++count;
    } while (find->next(entry));
  }
  Label9.setCaption(std::to_string(count) + " Files & Folders were found inside " + label.caption());
}

void Tqex_ulm_frm::forumAction(int link) {
  auto info = [this](const char* text, const char* caption) {
    app_.ui.messageBox(this, text, caption, ui::kMbOk | ui::kMbIconInformation);
  };
  const bool memberWithoutCookie = memberFlag && !cookieMember;
  if (link == 21) {
    if (memberWithoutCookie)
      info("You cannot modify your profile, unless you are logged in via your default browser.",
           online::kNoCookieCaption);
    else if (memberFlag) app_.openForum(this, community::kEditProfile);
    else app_.openForum(this, community::kWhoIsOnline);
  } else if (link == 19) {
    if (memberWithoutCookie)
      info("You need to be logged in through your default browser,\nbefore you can chat with forum members or our support team.",
           online::kNoCookieCaption);
    else if (cookieMember) app_.openForum(this, community::kChat);
    else app_.openForum(this, community::kRegister);
  } else if (dialogLogin) {
    // A login made in the program's own window is undone here, cookie or not.
    memberFlag = dialogLogin = false;
    placeForumLinks();
  } else if (memberWithoutCookie) {
    info("You are not logged in through your default browser, therefor logging out is unnecessary.", "Orvanta Logout");
  } else if (cookieMember) {
    app_.openUrl(this, membership.logoutUrl(), app::forumFailure(app_.config));
  } else {
    app_.loginfrm->show();
  }
}
