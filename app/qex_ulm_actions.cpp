// The main window's interaction: hover and pressed pictures, the check pictures of the
// cleanup choices, and what each button, link and menu entry does.
#include "app/aboutfrm.h"
#include "app/qex_ulm_frm.h"
#include "cleanup/deletefrm.h"
#include "online/loginfrm.h"
#include "process/systemprofrm.h"
#include "startup/startfrm.h"
#include "sysinfo/softwarefrm.h"
#include "ui/dialogs.h"

namespace {
const char* const kCheckBase[3] = {"clear", "empty", "norton"};
}

void Tqex_ulm_frm::bindActions() {
  cleanerButton_ = std::make_unique<app::ImageButton>(skin(), Image2, "delete_btn", hoverLatch);
  startupButton_ = std::make_unique<app::ImageButton>(skin(), Image3, "reg_btn", hoverLatch);
  processButton_ = std::make_unique<app::ImageButton>(skin(), Image4, "run_btn", hoverLatch);
  browseButton_ = std::make_unique<app::ImageButton>(skin(), Image28, "browse", hoverLatch);

  // The tool windows are made after this one, so each is looked up when the click comes.
  auto bindTool = [this](app::ImageButton& b, std::function<ui::Form&()> tool) {
    b.image().onMouseMove = [this, &b](int, int) { largeButtonHover(b); };
    b.image().onMouseDown = [&b](int, int) { b.press(); };
    b.image().onClick = [this, &b, tool] { openTool(b, tool()); };
  };
  bindTool(*cleanerButton_, [this]() -> ui::Form& { return *app_.deletefrm; });
  bindTool(*startupButton_, [this]() -> ui::Form& { return *app_.startfrm; });
  bindTool(*processButton_, [this]() -> ui::Form& { return *app_.systemprofrm; });

  Image28.onMouseMove = [this](int, int) {
    if (!selectedFolder_.empty()) browseButton_->hover();
  };
  Image28.onMouseDown = [this](int, int) { browseButton_->press(); };
  Image28.onClick = [this] {
    if (selectedFolder_.empty()) return;
    browseButton_->normal();
    if (app_.sys.files().directoryExists(selectedFolder_)) app_.sys.shell().execute(0, "open", selectedFolder_);
  };

  for (ui::Label* l : {&Label2, &Label4, &Label6}) {
    l->onMouseMove = [this, l](int, int) {
      if (hoverLatch) return;
      l->setUnderline(true);
      hoverLatch = true;
    };
    l->onClick = [this, l] { folderLinkClick(*l); };
  }

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
    if (cookieMember) openForum("/forum/newthread.php?do=newthread&f=31");
    else
      app_.ui.messageBox(this, "You need to login via your browser, to use the extended forums features.",
                         "Cookie not found", ui::kMbOk | ui::kMbIconInformation);
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

  ui::Image* checks[3] = {&Image5, &Image6, &Image7};
  for (int i = 0; i < 3; ++i) {
    checks[i]->onMouseMove = [this, i](int, int) { checkHover(i); };
    checks[i]->onClick = [this, i] { checkClick(i); };
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

void Tqex_ulm_frm::largeButtonHover(app::ImageButton& over) {
  if (!over.hover()) return;
  for (app::ImageButton* b : {cleanerButton_.get(), startupButton_.get(), processButton_.get()})
    if (b != &over) b->normal();
}

void Tqex_ulm_frm::openTool(app::ImageButton& button, ui::Form& tool) {
  button.show(2);
  Timer1.stop();
  Timer2.stop();
  tool.show();
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
  resetChecks();
  if (!hoverLatch) return;
  resetHover();
}

void Tqex_ulm_frm::resetHover() {
  hoverLatch = false;
  for (app::ImageButton* b : {cleanerButton_.get(), startupButton_.get(), processButton_.get()}) b->normal();
  for (ui::Label* l : {&Label2, &Label4, &Label6}) l->setUnderline(false);
  Image22.clearPicture();
  Image23.clearPicture();
  skin().load(Image27, "qex_today_1");
  skin().load(Image30, "freeware_1");
  if (selectedFolder_.empty()) Image28.clearPicture();
  else browseButton_->normal();
  placeForumLinks();
}

bool Tqex_ulm_frm::checkEnabled(int item) const {
  return item != 2 || (nortonQuarantine != "\\" && !nortonQuarantine.empty());
}

void Tqex_ulm_frm::showCleanupChoices() {
  if (!checkEnabled(2)) excludeNorton = true;
  const bool excluded[3] = {excludeTemporary, excludeRecycle, excludeNorton};
  ui::Image* checks[3] = {&Image5, &Image6, &Image7};
  for (int i = 0; i < 3; ++i) {
    checkState_[i] = excluded[i] ? 3 : 1;
    skin().load(*checks[i], std::string(kCheckBase[i]) + (excluded[i] ? "_uchk" : "_chk"));
  }
  if (!checkEnabled(2)) skin().load(Image7, "norton_ui");
}

void Tqex_ulm_frm::checkHover(int item) {
  if (!checkEnabled(item)) return;
  ui::Image* checks[3] = {&Image5, &Image6, &Image7};
  for (int i = 0; i < 3; ++i) {
    const std::string base = kCheckBase[i];
    int& s = checkState_[i];
    if (i == item) {
      if (s == 0) s = 1, skin().load(*checks[i], base + "_chk_over");
      else if (s == 3) s = 4, skin().load(*checks[i], base + "_uchk_over");
    } else if (checkEnabled(i)) {
      if (s == 1) s = 0, skin().load(*checks[i], base + "_chk");
      else if (s == 4) s = 3, skin().load(*checks[i], base + "_uchk");
    }
  }
}

void Tqex_ulm_frm::checkClick(int item) {
  if (!checkEnabled(item)) return;
  ui::Image* checks[3] = {&Image5, &Image6, &Image7};
  bool* excluded[3] = {&excludeTemporary, &excludeRecycle, &excludeNorton};
  const std::string base = kCheckBase[item];
  int& s = checkState_[item];
  if (s == 1) {
    skin().load(*checks[item], base + "_uchk_over");
    s = 3;
    *excluded[item] = true;
  } else if (s == 3 || s == 4) {
    skin().load(*checks[item], base + "_chk_over");
    s = 1;
    *excluded[item] = false;
  }
}

void Tqex_ulm_frm::resetChecks() {
  ui::Image* checks[3] = {&Image5, &Image6, &Image7};
  for (int i = 0; i < 3; ++i) {
    if (!checkEnabled(i)) continue;
    int& s = checkState_[i];
    if (s == 1) s = 0, skin().load(*checks[i], std::string(kCheckBase[i]) + "_chk");
    else if (s == 4) s = 3, skin().load(*checks[i], std::string(kCheckBase[i]) + "_uchk");
  }
}

void Tqex_ulm_frm::folderLinkClick(ui::Label& label) {
  browseButton_->normal();
  selectedFolder_ = label.caption() + "\\";
  int count = 0;
  platform::FindData entry;
  if (auto find = app_.sys.files().findFirst(selectedFolder_ + "*.*", entry)) {
    do {
      if (!entry.isDotEntry()) ++count;
    } while (find->next(entry));
  }
  Label9.setCaption(std::to_string(count) + " Files && Folders were found inside " + label.caption());
}

void Tqex_ulm_frm::openForum(const std::string& path) {
  app_.openUrl(this, app_.config.community(path), app::urlFailure(app_.config.community("/forum/")));
}

void Tqex_ulm_frm::forumAction(int link) {
  auto info = [this](const char* text, const char* caption) {
    app_.ui.messageBox(this, text, caption, ui::kMbOk | ui::kMbIconInformation);
  };
  const bool memberWithoutCookie = memberFlag && !cookieMember;
  if (link == 21) {
    if (memberWithoutCookie) info("You cannot modify your profile, unless you are logged in via your default browser.", "Cookie not found");
    else if (memberFlag) openForum("/forum/profile.php?do=editprofile");
    else openForum("/forum/online.php?");
  } else if (link == 19) {
    if (memberWithoutCookie)
      info("You need to be logged in through your default browser,\nbefore you can chat with forum members or our support team.",
           "Cookie not found");
    else if (cookieMember) openForum("/forum/chatt/flashchat.php");
    else openForum("/forum/register.php");
  } else if (dialogLogin) {
    // A login made in the program's own window is undone here, cookie or not.
    memberFlag = dialogLogin = false;
    placeForumLinks();
  } else if (memberWithoutCookie) {
    info("You are not logged in through your default browser, therefor logging out is unnecessary.", "Orvanta Logout");
  } else if (cookieMember) {
    app_.openUrl(this, cookies.logoutUrl, app::urlFailure(app_.config.community("/forum/")));
  } else {
    app_.loginfrm->show();
  }
}
