#include "app/qex_ulm_frm.h"

#include "app/aboutfrm.h"
#include "app/dashboard.h"
#include "app/tools.h"
#include "monitor/notifyfrm.h"
#include "monitor/preffrm.h"
#include "online/community.h"
#include "online/qextodayfrm.h"
#include "scan/deepscanfrm.h"
#include "skin/layout.h"
#include "sysinfo/inventoryreport.h"
#include "ui/dialogs.h"

namespace community = online::community;

namespace {
constexpr int kScMinimize = 0xF020;
const ui::Color kLabelBlue = ui::rgb(61, 110, 196);
}  // namespace

Tqex_ulm_frm::Tqex_ulm_frm(app::App& app)
    : Window(app, "Tqex_ulm_frm", "qex_ulm_frm", 700, 450, "Orvanta Works", "main_form"),
      membership(app.sys.registry(), app.sys.files(), app.sys.system(), app.sys.clock(), app.config.communityHost),
      toolButtons_{{{skin(), Image2, app::kTools[0].buttonBase, hoverLatch},
                    {skin(), Image3, app::kTools[1].buttonBase, hoverLatch},
                    {skin(), Image4, app::kTools[2].buttonBase, hoverLatch}}},
      checks_{{{skin(), Image5, "clear"}, {skin(), Image6, "empty"}, {skin(), Image7, "norton"}}},
      folderLinks_{{{Label2, hoverLatch, [this] { folderLinkClick(Label2); }},
                    {Label4, hoverLatch, [this] { folderLinkClick(Label4); }},
                    {Label6, hoverLatch, [this] { folderLinkClick(Label6); }}}} {
  font = ui::Font::points("Verdana", 8);
  buildControls();

  removeSystemMenuItem(kScMinimize);
  appendSystemMenuItem(0, "");
  appendSystemMenuItem(kForumCommand, "&Orvanta Forums");
  appendSystemMenuItem(kAboutCommand, "&About Orvanta Kestrel...");
  app.ui.setTray(ui::TrayIcon{true, kTrayId, kTrayMessage, app::App::kTitle, 1, this});
  buildTrayMenu();

  auto settings = app.settings();
  excludeTemporary = settings.readBool("System", "Temporary", false);
  excludeRecycle = settings.readBool("System", "Recycle", false);
  excludeNorton = settings.readBool("System", "Norton", false);
  settings.readBool("System", "News", false);
  storedUser = settings.readString("System", "User", "");

  const app::SystemFacts& facts = app.facts;
  if (!facts.osBadge.empty()) skin().load(Image8, facts.osBadge);
  const auto memory = app.sys.system().memoryStatus();
  ProgressBar1 = app::memoryPercent(memory.totalPhys, memory.availPhys);
  Label2.setCaption(facts.windowsDirectory);
  Label4.setCaption(facts.programFilesDir);
  Label6.setCaption(facts.commonFilesDir);
  Label9.setCaption(
      "To view a system folder, select one of the folders from the list.\n\nIf you want to Add or Remove Programs "
      "it is recommended you do this from the Control Panel.");

  for (size_t i = 0; i < toolButtons_.size(); ++i) toolButtons_[i].normal();
  skin().load(Image27, "qex_today_1");
  skin().load(Image30, "freeware_1");
  skin().load(Image13, "mb");
  skin().load(Image14, "mb");
  showCleanupChoices();
  skin().load(Image9, "ram_bar");
  startConnectionCheck();
  Label1.setCaption(storedUser.empty() ? "Windows user: " + facts.logonUserName : "Member: " + storedUser);
  bindActions();
  startFolderUpdate();
}

Tqex_ulm_frm::~Tqex_ulm_frm() { app_.ui.removeTray(); }

// Positions and fixed styles of the dashboard's controls.
void Tqex_ulm_frm::buildControls() {
  for (ui::Image* i : {&Image2, &Image3, &Image4, &Image5, &Image6, &Image7, &Image8, &Image1, &Image15, &Image13,
                       &Image14, &Image17, &Image18, &Image19, &Image20, &Image21, &Image27, &Image28, &Image29,
                       &Image30})
    i->setAutoSize(true);
  for (ui::Image* i : {&Image1, &Image8, &Image15, &Image13, &Image14, &Image28, &ProgressBar})
    i->setTransparent(true);
  for (ui::Control* c : std::initializer_list<ui::Control*>{&Image17, &Image19, &Image21, &Image27, &Image30, &Image31})
    c->cursor = ui::Cursor::Hand;
  for (ui::Label* l : {&Label2, &Label3, &Label4, &Label5, &Label6, &Label7, &Label8, &Label9}) {
    ui::Font f = l->font();
    f.color = kLabelBlue;
    l->setFont(f);
  }
  Label1.setFont(ui::Font::points("Verdana", 10, true, ui::rgb(119, 119, 119)));

  namespace L = skin::layout::main_form;
  ui::Image* tools[3] = {&Image2, &Image3, &Image4};
  ui::Image* checks[3] = {&Image5, &Image6, &Image7};
  ui::Label* folders[3] = {&Label2, &Label4, &Label6};
  for (int i = 0; i < 3; ++i) {
    tools[i]->setBounds(L::kToolButtons[i]);
    checks[i]->setBounds(L::kChecks[i]);
    folders[i]->setBounds(L::kFolderLinks[i]);
  }
  Image8.setBounds(L::kOsBadge);
  Image1.setBounds(L::kConnection);
  Image15.setBounds(L::kBrowserBadge);
  Image9.setBounds(L::kMemoryBar);
  Image9.setStretch(true);
  Image10.setBounds({602, L::kTotalTop, 633, L::kTotalTop + 8});
  Image12.setBounds({614, L::kUsedTop, 639, L::kUsedTop + 8});
  Image13.setBounds({L::kUnitLeft, L::kTotalTop, L::kUnitLeft, L::kTotalTop});
  Image14.setBounds({L::kUnitLeft, L::kUsedTop, L::kUnitLeft, L::kUsedTop});
  Label1.setBounds(L::kUserLine);
  Label3.setBounds(L::kProcesses);
  Label7.setBounds(L::kFreeSpace);
  Label8.setBounds(L::kDiskCaption);
  ProgressBar.setBounds(L::kDiskBar);
  Label5.setBounds(L::kFoldersCaption);
  Label9.setWordWrap(true);
  Label9.setAutoSize(false);
  Label9.setBounds(L::kFolderInfo);
  Image28.setBounds(L::kBrowse);
  // The forum links' left edges follow the member state (placeForumLinks).
  for (ui::Image* link : {&Image17, &Image18, &Image19, &Image20, &Image21})
    link->setBounds({0, L::kLinkTop, 0, L::kLinkTop + L::kLinkHeight});
  Image22.setBounds(L::kSoftware);
  Image23.setBounds(L::kHardware);
  Image27.setBounds(L::kNews);
  Image29.setBounds(L::kNewsSplitter);
  Image30.setBounds(L::kFreeware);
  Image31.setBounds(L::kAboutArea);
}

// Calls from other threads run from the message loop, when every window has been made.
app::ConnectionCheck::Post Tqex_ulm_frm::uiPost() {
  return [&ui = app_.ui](std::function<void()> fn) { ui.queue(std::move(fn)); };
}

// The watcher starts before the popup exists.
void Tqex_ulm_frm::startFolderUpdate() {
  monitor::FolderUpdate::Handlers handlers{[this] { app_.notifyfrm->folderChanged(); },
                                           [this] { app_.notifyfrm->watchFailed(); }};
  folderUpdate_ = std::make_unique<monitor::FolderUpdate>(app_.sys.sync(), app_.facts.windowsDirectory, uiPost(),
                                                          std::move(handlers));
}

// The badge stays empty until the system has answered.
void Tqex_ulm_frm::startConnectionCheck() {
  connectionCheck_ = std::make_unique<app::ConnectionCheck>(
      app_.sys.net(), app_.config.connectionTest, uiPost(),
      [this](bool reachable) { skin().load(Image1, reachable ? "online" : "offline"); });
}

void Tqex_ulm_frm::buildTrayMenu() {
  auto show = [](auto& window) {
    return [&window] { window->show(); };
  };
  PopupMenu1.add("SystemScan1", "System Scan", show(app_.deepscanfrm)).isDefault = true;
  PopupMenu1.addSeparator();
  for (size_t i = 0; i < app::kTools.size(); ++i)
    PopupMenu1.add(app::kTools[i].menuItem, app::kTools[i].menuCaption, [this, i] { openTool(i); });
  PopupMenu1.addSeparator();
  PopupMenu1.add("Preferences1", "Preferences", show(app_.preffrm));
  PopupMenu1.add("AboutKestrel1", "About Orvanta Kestrel", show(app_.aboutfrm));
  PopupMenu1.add("Helpmanual1", "Orvanta Kestrel Manual", [this] { app_.openLocal(app_.helpFile()); });
  PopupMenu1.addSeparator();
  PopupMenu1.add("QEXToday1", "QEX Today", [this] { showNews(); });
  PopupMenu1.add("Donatetothissoftware1", "Donate to this software", [this] {
    const std::string donate = app_.config.community(community::kDonate);
    app_.openUrl(this, donate, app::urlFailure(donate));
  });
  PopupMenu1.addSeparator();
  PopupMenu1.add("Quit1", "Quit", [this] {
    app_.ui.processMessages();
    app_.ui.terminate();
  });
}

void Tqex_ulm_frm::FormShow() {
  if (auto serial = app_.sys.system().volumeSerial(app_.facts.systemDrive() + "\\")) {
    ProgressBar.hint = "Serial number: " + std::to_string(static_cast<int32_t>(*serial));
    ProgressBar.showHint = true;
  } else {
    ProgressBar.showHint = false;
  }
  app_.facts.readInstallPath(app_.sys.registry(), app_.programDir());

  refreshDisk();
  refreshProcessCount();
  Timer2.start();
  for (ui::Image* s : {&Image18, &Image20, &Image29}) skin().load(*s, "splitter");
  detectMembership();
  if (!storedUser.empty()) memberFlag = true;
  placeForumLinks();
  Timer1.start();
  if (app_.qextodayfrm->showNewsAtStart()) Timer4.start();
}

void Tqex_ulm_frm::detectMembership() {
  using Result = online::BrowserMembership::Result;
  const std::string badge = online::BrowserMembership::badgeFor(app_.facts.browserName);
  if (!badge.empty()) skin().load(Image15, badge);
  const Result result = membership.detect(
      app_.facts.browserName, [this] { app_.ui.processMessages(); },
      [this] {
        app_.ui.messageBox(this, online::kInvalidMemberCodeText, online::kInvalidMemberCodeCaption,
                           ui::kMbOk | ui::kMbIconWarning);
      });
  // Asked again by the timer while a cookie file is walked or its warning waits for an answer:
  // the state stays as the last finished detection left it.
  if (result == Result::Busy) return;
  cookieMember = result == Result::Member;
  // The walk and the warning let messages through: a login finished meanwhile keeps its member.
  if (!dialogLogin) memberFlag = cookieMember;
}

void Tqex_ulm_frm::placeForumLinks() {
  struct Link {
    ui::Image& image;
    int member, guest;
    const char *memberPicture, *guestPicture;
  };
  const Link links[] = {{Image21, 299, 257, "profile_1", "online_1"}, {Image20, 348, 343, nullptr, nullptr},
                        {Image19, 351, 346, "chat_1", "reg_1"},       {Image18, 396, 405, nullptr, nullptr},
                        {Image17, 399, 408, "logout_1", "login_1"}};
  for (const Link& l : links) {
    l.image.setLeft(memberFlag ? l.member : l.guest);
    if (l.memberPicture) skin().load(l.image, memberFlag ? l.memberPicture : l.guestPicture);
  }
}

void Tqex_ulm_frm::refreshDisk() {
  const std::string drive = app_.facts.systemDrive();
  const auto space = app_.sys.system().diskFreeSpace(drive + "\\");
  const char sep = app_.sys.system().decimalSeparator();
  const std::string total = app::gigabytesText(space ? space->total : 0, sep);
  const std::string free = app::gigabytesText(space ? space->free : 0, sep);
  Label7.setCaption("Free space on " + drive + " is " + free + " GB");
  diskBar_.show(ProgressBar, app::diskFillWidth(app::wholePart(total), app::wholePart(free), ProgressBar.width()));
}

void Tqex_ulm_frm::refreshProcessCount() {
  // Every ten seconds: the process ids alone, which cost a fraction of a full snapshot.
  Label3.setCaption(app::processCountCaption(app_.sys.processes().enumerate().size()));
}

void Tqex_ulm_frm::refreshMemory() {
  const auto m = app_.sys.system().memoryStatus();
  // Counted as the inventory's report counts them.
  const uint64_t installedMb = sysinfo::ramInstalledMb(m.totalPhys);
  const uint64_t inUseMb = sysinfo::ramInUseMb(m.totalPhys, m.availPhys);
  // Asked a hundred times a second, what the section shows changes far less often; an idle
  // window should cost next to nothing.
  const std::tuple<int, uint64_t, uint64_t> shown{app::memoryPercent(m.totalPhys, m.availPhys),
                                                  installedMb, inUseMb};
  if (shownMemory_ == shown) return;
  shownMemory_ = shown;
  ProgressBar1 = std::get<0>(shown);
  const int width = 2 * ProgressBar1;
  if (Image9.width() != width || Image9.pictureName() != app::memoryBarPicture(width)) {
    Image9.setWidth(width);
    if (Image9.pictureName() != app::memoryBarPicture(width)) skin().load(Image9, app::memoryBarPicture(width));
  }
  const auto total = app::memoryReadout(installedMb);
  const auto used = app::memoryReadout(inUseMb);
  totalReadout_.show(skin(), total.text);
  usedReadout_.show(skin(), used.text);
  Image10.setLeft(app::totalPictureX(total.figure));
  Image12.setLeft(app::usedPictureX(used.figure));
  if (Image13.pictureName() != total.unit) skin().load(Image13, total.unit);
  if (Image14.pictureName() != used.unit) skin().load(Image14, used.unit);
}

void Tqex_ulm_frm::FormPaint(ui::Canvas& canvas) {
  // The first argument decides the mode once, at the first painting.
  if (rememberedArgument_.empty()) {
    const auto args = app_.sys.system().arguments();
    rememberedArgument_ = args.empty() ? std::string() : args.front();
  }
  if (rememberedArgument_ == "-monitor") {
    rememberedArgument_ = "N";
    close();
  } else if (rememberedArgument_ == "-scan") {
    rememberedArgument_ = "N";
    close();
    app_.deepscanfrm->AutoClose = true;
    app_.deepscanfrm->show();
  } else {
    Window::FormPaint(canvas);
  }
}

void Tqex_ulm_frm::FormClose(ui::CloseAction& action) {
  if (app_.ui.terminated()) {
    // Joined before any window goes; a change handed over and not yet run is dropped.
    folderUpdate_->stop();
    auto settings = app_.settings();
    settings.writeBool("System", "Temporary", excludeTemporary);
    settings.writeBool("System", "Recycle", excludeRecycle);
    settings.writeBool("System", "Norton", excludeNorton);
    return;
  }
  // Closing only sends the window to the tray.
  Timer1.stop();
  Timer2.stop();
  action = ui::CloseAction::None;
  hide();
}

void Tqex_ulm_frm::FormHide() {
  Timer1.stop();
  Timer2.stop();
}

void Tqex_ulm_frm::restoreFromTray() { show(); }

void Tqex_ulm_frm::FormTrayMessage(ui::TrayEvent event) {
  if (event == ui::TrayEvent::DoubleClick) {
    restoreFromTray();
  } else if (event == ui::TrayEvent::RightButtonUp) {
    bringToFront();
    const ui::Point at = app_.ui.cursorPos();
    PopupMenu1.popup(at.x, at.y);
  }
}

void Tqex_ulm_frm::FormSysCommand(int command) {
  if (command == kForumCommand)
    app_.openUrl(this, app_.config.community(community::kSupport),
                 app::urlFailure(app_.config.community(community::kSupport)));
  else if (command == kAboutCommand)
    app_.aboutfrm->show();
}

void Tqex_ulm_frm::showNews() {
  Timer4.stop();
  app_.qextodayfrm->showModal();
}
