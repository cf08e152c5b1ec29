#include "app/qex_ulm_frm.h"

#include "app/aboutfrm.h"
#include "app/dashboard.h"
#include "skin/layout.h"
#include "cleanup/deletefrm.h"
#include "monitor/preffrm.h"
#include "online/qextodayfrm.h"
#include "process/systemprofrm.h"
#include "scan/deepscanfrm.h"
#include "startup/startfrm.h"
#include "ui/dialogs.h"

namespace {
constexpr unsigned kLButtonDblClk = 0x203, kRButtonUp = 0x205;
constexpr int kScMinimize = 0xF020;
const ui::Color kLabelBlue = ui::rgb(61, 110, 196);
const char* const kShellFolders = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
}  // namespace

using platform::RegAccess;
using platform::RegRoot;

Tqex_ulm_frm::Tqex_ulm_frm(app::App& app)
    : SkinnedForm(app, "Tqex_ulm_frm", "qex_ulm_frm", 700, 450, "Orvanta Works", "") {
  font = ui::Font::points("Verdana", 8);
  auto library = app.sys.libraries().load(app::Skin::kFileName);
  if (!library) {
    app.ui.messageBox(this, "An error occured when trying to locate the file 'ulmres.dll'.", app::App::kTitle,
                      ui::kMbOk | ui::kMbIconWarning);
    hide();
    app.ui.terminate();
    return;
  }
  skinModule = std::make_unique<app::Skin>(std::move(library), app.sys.sound());
  buildControls();

  // The disk bar's pictures, from the bar's size.
  diskFrame_.resize(ProgressBar.width() - 3, ProgressBar.height() - 3);
  ui::Canvas frame(diskFrame_);
  frame.pen = ui::rgb(138, 162, 195);
  frame.frameRect({0, 0, diskFrame_.width(), diskFrame_.height()});
  diskFill_.resize(diskFrame_.width() - 2, diskFrame_.height() - 2);

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
  helpFile = app.programDir() + "help\\index.htm";

  detectOperatingSystem();
  const auto memory = app.sys.system().memoryStatus();
  ProgressBar1 = app::memoryPercent(memory.totalPhys, memory.availPhys);
  colorDepth = app.sys.system().colorDepth();

  Label2.setCaption(app.sys.system().windowsDirectory());
  for (ui::Control* c : std::initializer_list<ui::Control*>{&Label2, &Label4, &Label6, &Image17, &Image19, &Image21,
                                                            &Image27, &Image30, &Image31})
    c->cursor = ui::Cursor::Hand;
  for (ui::Label* l : {&Label2, &Label3, &Label4, &Label5, &Label6, &Label7, &Label8, &Label9}) {
    ui::Font f = l->font;
    f.color = kLabelBlue;
    l->setFont(f);
  }
  Label1.setFont(ui::Font::points("Verdana", 10, true, ui::rgb(119, 119, 119)));
  Label9.setCaption(
      "To view a system folder, select one of the folders from the list.\n\nIf you want to Add or Remove Programs "
      "it is recommended you do this from the Control Panel.");

  skin().load(Image2, "delete_btn_1");
  skin().load(Image3, "reg_btn_1");
  skin().load(Image4, "run_btn_1");
  skin().load(Image27, "qex_today_1");
  skin().load(Image30, "freeware_1");
  skin().load(Image13, "mb");
  skin().load(Image14, "mb");

  readRegistryFacts();
  showCleanupChoices();
  skin().load(Image9, "ram_bar");
  background_ = skin().bitmap("main_form");
  testConnection();
  Label1.setCaption(storedUser.empty() ? "Windows user: " + logonUserName : "Member: " + storedUser);
  bindActions();
}

Tqex_ulm_frm::~Tqex_ulm_frm() { app_.ui.removeTray(); }

// Positions and fixed styles of the dashboard's controls.
void Tqex_ulm_frm::buildControls() {
  for (ui::Image* i : {&Image2, &Image3, &Image4, &Image5, &Image6, &Image7, &Image8, &Image1, &Image15, &Image13,
                       &Image14, &Image17, &Image18, &Image19, &Image20, &Image21, &Image27, &Image28, &Image29,
                       &Image30})
    i->autoSize = true;
  for (ui::Image* i : {&Image1, &Image8, &Image15, &Image13, &Image14, &Image28}) i->transparent = true;
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
  Image9.stretch = true;
  Image10.setBounds({602, L::kTotalTop, 633, L::kTotalTop + 8});
  Image12.setBounds({614, L::kUsedTop, 639, L::kUsedTop + 8});
  Image13.setBounds({L::kUnitLeft, L::kTotalTop, L::kUnitLeft, L::kTotalTop});
  Image14.setBounds({L::kUnitLeft, L::kUsedTop, L::kUnitLeft, L::kUsedTop});
  Label1.setBounds(L::kUserLine);
  Label3.setBounds(L::kProcesses);
  Label7.setBounds(L::kFreeSpace);
  Label8.setBounds(L::kDiskCaption);
  ProgressBar.setBounds(L::kDiskBar);
  ProgressBar.transparent = true;
  Label5.setBounds(L::kFoldersCaption);
  Label9.wordWrap = true;
  Label9.autoSize = false;
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

void Tqex_ulm_frm::buildTrayMenu() {
  auto show = [](auto& window) {
    return [&window] { window->show(); };
  };
  ui::MenuItem& scan = PopupMenu1.add("SystemScan1", "System Scan", show(app_.deepscanfrm));
  scan.isDefault = true;
  PopupMenu1.addSeparator();
  PopupMenu1.add("DeleteTemporaryFiles1", "Delete Temporary Files", [this] { openTool(*cleanerButton_, *app_.deletefrm); });
  PopupMenu1.add("ManageWindowsStartup1", "Manage Windows Startup", [this] { openTool(*startupButton_, *app_.startfrm); });
  PopupMenu1.add("DetectRunningProcesses1", "Detect Running Processes",
                 [this] { openTool(*processButton_, *app_.systemprofrm); });
  PopupMenu1.addSeparator();
  PopupMenu1.add("Preferences1", "Preferences", show(app_.preffrm));
  PopupMenu1.add("AboutKestrel1", "About Orvanta Kestrel", show(app_.aboutfrm));
  PopupMenu1.add("Helpmanual1", "Orvanta Kestrel Manual", [this] { app_.openLocal(helpFile); });
  PopupMenu1.addSeparator();
  PopupMenu1.add("QEXToday1", "QEX Today", [this] { showNews(); });
  PopupMenu1.add("Donatetothissoftware1", "Donate to this software", [this] {
    app_.openUrl(this, app_.config.community("/donate/"), app::urlFailure(app_.config.community("/donate/")));
  });
  PopupMenu1.addSeparator();
  PopupMenu1.add("Quit1", "Quit", [this] {
    app_.ui.processMessages();
    app_.ui.terminate();
  });
}

void Tqex_ulm_frm::detectOperatingSystem() {
  osName = app::osName(app_.sys.system().osVersion());
  const char* badge = nullptr;
  bool localSettings = false;
  if (osName == "Microsoft Windows XP") badge = "os_xp", localSettings = true;
  else if (osName == "Microsoft Windows 2000") badge = "os_2000", localSettings = true;
  else if (osName == "Microsoft Windows ME") badge = "os_me";
  // Second Edition is a Windows 98 too and wears its badge.
  else if (osName == "Microsoft Windows 98" || osName == "Microsoft Windows 98SE") badge = "os_98";
  if (badge) skin().load(Image8, badge);
  if (!localSettings) return;
  if (auto key = app_.sys.registry().open(RegRoot::CurrentUser, kShellFolders, RegAccess::Read))
    if (auto v = key->readString("Local Settings")) SystemFolders = *v + "\\";
}

void Tqex_ulm_frm::readRegistryFacts() {
  auto& reg = app_.sys.registry();
  if (auto key = reg.open(RegRoot::LocalMachine, "\\SOFTWARE\\Symantec\\Norton AntiVirus\\Quarantine", RegAccess::Read))
    nortonQuarantine = key->readString("QuarantinePath").value_or("") + "\\";
  if (auto key = reg.open(RegRoot::ClassesRoot, "\\http\\shell\\open\\ddeexec\\Application", RegAccess::Read))
    browserName = key->readString("").value_or("");
  if (auto key = reg.open(RegRoot::CurrentUser, "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer", RegAccess::Read))
    logonUserName = key->readString("Logon User Name").value_or("");
  // Later Windows versions keep no logon name there; the account's name stands in for it.
  if (logonUserName.empty()) logonUserName = app_.sys.system().userName();
  if (auto key = reg.open(RegRoot::LocalMachine, "\\SOFTWARE\\Microsoft\\DirectX", RegAccess::Read))
    directXVersion = key->readString("Version").value_or("");
  if (auto key = reg.open(RegRoot::LocalMachine, "\\Software\\Microsoft\\Windows\\CurrentVersion", RegAccess::Read)) {
    if (auto v = key->readString("ProgramFilesDir")) Label4.setCaption(*v);
    if (auto v = key->readString("CommonFilesDir")) Label6.setCaption(*v);
  }
}

void Tqex_ulm_frm::testConnection() {
  skin().load(Image1, app_.sys.net().checkConnection(app_.config.connectionTest) ? "online" : "offline");
}

void Tqex_ulm_frm::FormShow() {
  const std::string windowsDir = Label2.caption();
  const std::string drive = windowsDir.substr(0, std::min<size_t>(2, windowsDir.size()));
  if (auto serial = app_.sys.system().volumeSerial(drive + "\\")) {
    ProgressBar.hint = "Serial number: " + std::to_string(static_cast<int32_t>(*serial));
    ProgressBar.showHint = true;
  } else {
    ProgressBar.showHint = false;
  }

  // The product key is read, never created; an empty install path is filled in.
  if (auto key = app_.sys.registry().open(RegRoot::LocalMachine, "\\Software\\Orvanta Works\\Orvanta Kestrel",
                                          RegAccess::AllAccess)) {
    installPath = key->readString("InstallPath").value_or("");
    if (installPath.empty()) key->writeString("InstallPath", app_.programDir());
  }

  refreshDisk();
  refreshProcessCount();
  Timer2.start();
  for (ui::Image* s : {&Image18, &Image20, &Image29}) skin().load(*s, "splitter");
  detectMembership();
  if (!storedUser.empty()) memberFlag = true;
  placeForumLinks();
  Timer1.start();
  if (app_.qextodayfrm->showNewsAtStart()) Timer4.start();
  if (browserName == "Netscape") skin().load(Image15, "browser_mo");
}

void Tqex_ulm_frm::detectMembership() {
  const std::string badge = online::CookieMembership::badgeFor(browserName);
  if (!badge.empty()) skin().load(Image15, badge);
  cookieMember = memberFlag = cookies.detect(app_, browserName);
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
  const std::string windowsDir = Label2.caption();
  const std::string drive = windowsDir.substr(0, std::min<size_t>(2, windowsDir.size()));
  const auto space = app_.sys.system().diskFreeSpace(drive + "\\");
  const char sep = app_.sys.system().decimalSeparator();
  const std::string total = app::gigabytesText(space ? space->total : 0, sep);
  const std::string free = app::gigabytesText(space ? space->free : 0, sep);
  Label7.setCaption("Free space on " + drive + " is " + free + " GB");
  const int width = app::diskFillWidth(app::wholePart(total), app::wholePart(free), ProgressBar.width());
  if (width >= 0) diskFillWidth_ = width;

  ui::Canvas fill(diskFill_);
  fill.brush = ui::kWhite;
  fill.fillRect({0, 0, diskFill_.width(), diskFill_.height()});
  fill.brush = ui::rgb(175, 203, 240);
  fill.fillRect({0, 0, diskFillWidth_, diskFill_.height()});
  ui::Canvas frame(diskFrame_);
  frame.draw(1, 1, diskFill_);
  diskResult_.resize(ProgressBar.width(), ProgressBar.height());
  ui::Canvas result(diskResult_);
  result.draw(1, 1, diskFrame_);
  diskResult_.transparent = true;
  ProgressBar.setPicture(diskResult_);
}

void Tqex_ulm_frm::refreshProcessCount() {
  const auto count = app_.sys.processes().snapshot().size();
  Label3.setCaption("Running Processes: " + std::to_string(count > 0 ? count - 1 : 0));
}

void Tqex_ulm_frm::refreshMemory() {
  const auto m = app_.sys.system().memoryStatus();
  ProgressBar1 = app::memoryPercent(m.totalPhys, m.availPhys);
  const int width = 2 * ProgressBar1;
  if (Image9.width() != width || Image9.pictureName() != app::memoryBarPicture(width)) {
    Image9.setWidth(width);
    if (Image9.pictureName() != app::memoryBarPicture(width)) skin().load(Image9, app::memoryBarPicture(width));
  }
  const auto total = app::memoryReadout(app::totalMb(m.totalPhys));
  const auto used = app::memoryReadout(app::usedMb(m.totalPhys, m.availPhys));
  drawCells(Image10, totalCells_, total.text, 0);
  drawCells(Image12, usedCells_, used.text, 4);
  Image10.setLeft(app::totalPictureX(total.figure));
  Image12.setLeft(app::usedPictureX(used.figure));
  if (Image13.pictureName() != total.unit) skin().load(Image13, total.unit);
  if (Image14.pictureName() != used.unit) skin().load(Image14, used.unit);
}

// Draws the glyphs of a readout into its picture, one 6-pixel cell at a time, and only the
// cells whose character changed since they were last drawn.
void Tqex_ulm_frm::drawCells(ui::Image& image, ui::Bitmap& cells, const std::string& text, size_t firstCell) {
  bool changed = false;
  if (cells.width() != image.width() || cells.height() != image.height()) {
    cells.resize(image.width(), image.height(), ui::kWhite);
    for (size_t i = 0; i < 4; ++i) drawnCells_[firstCell + i] = '\0';
  }
  const auto names = app::glyphCells(text);
  ui::Canvas canvas(cells);
  for (int i = 0; i < 4; ++i) {
    const char c = i < static_cast<int>(text.size()) ? text[i] : ' ';
    char& drawn = drawnCells_[firstCell + i];
    if (drawn == c) continue;
    drawn = c;
    changed = true;
    const int x = app::glyphCellX(cells.width(), i);
    canvas.brush = ui::kWhite;
    canvas.fillRect({x, 0, x + 6, cells.height()});
    if (!names[i].empty()) canvas.draw(x, 0, skin().bitmap(names[i]));
  }
  if (changed) {
    cells.transparent = true;
    image.setPicture(cells);
  }
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
    SkinnedForm::FormPaint(canvas);
  }
}

void Tqex_ulm_frm::FormClose(ui::CloseAction& action) {
  if (app_.ui.terminated()) {
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

void Tqex_ulm_frm::FormTrayMessage(unsigned message) {
  if (message == kLButtonDblClk) {
    restoreFromTray();
  } else if (message == kRButtonUp) {
    bringToFront();
    const ui::Point at = app_.ui.backend().cursorPos();
    PopupMenu1.popup(at.x, at.y);
  }
}

void Tqex_ulm_frm::FormSysCommand(int command) {
  if (command == kForumCommand)
    app_.openUrl(this, app_.config.community("/support/"), app::urlFailure(app_.config.community("/support/")));
  else if (command == kAboutCommand)
    app_.aboutfrm->show();
}

void Tqex_ulm_frm::showNews() {
  Timer4.stop();
  app_.qextodayfrm->showModal();
}
