// The main window: the dashboard and hub of the program. It owns the tray icon and its menu and
// the forum member state; it shows the system facts that the application read at start-up.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <tuple>

#include "app/connectioncheck.h"
#include "app/diskbar.h"
#include "app/glyphreadout.h"
#include "app/window.h"
#include "frame/checkpicture.h"
#include "frame/hoverlink.h"
#include "frame/imagebutton.h"
#include "monitor/folderupdate.h"
#include "online/browsermembership.h"

class Tqex_ulm_frm : public app::Window {
 public:
  static constexpr uint32_t kTrayId = 1005;
  static constexpr unsigned kTrayMessage = 2025;
  static constexpr int kForumCommand = 50, kAboutCommand = 60;

  explicit Tqex_ulm_frm(app::App& app);
  ~Tqex_ulm_frm() override;

  // Forum member state.
  std::string storedUser;
  bool memberFlag = false, cookieMember = false, dialogLogin = false;
  // The member id the default browser's cookie gave, kept for the run.
  online::BrowserMembership membership;
  // Cleanup choices: true means the item is excluded from cleaning.
  bool excludeTemporary = false, excludeRecycle = false, excludeNorton = false;

  // The about area at the top left.
  ui::Image Image31{*this, "Image31", {0, 0, 145, 35}};
  // Large tool buttons: cleaner, startup manager, process viewer.
  ui::Image Image2{*this, "Image2"}, Image3{*this, "Image3"}, Image4{*this, "Image4"};
  // Cleanup choices: temporary files, recycle bin, antivirus quarantine.
  ui::Image Image5{*this, "Image5"}, Image6{*this, "Image6"}, Image7{*this, "Image7"};
  // Badges: operating system, connection, default browser.
  ui::Image Image8{*this, "Image8"}, Image1{*this, "Image1"}, Image15{*this, "Image15"};
  // Memory: the bar, the total and used figures and their unit glyphs.
  ui::Image Image9{*this, "Image9"};
  ui::Image Image10{*this, "Image10"}, Image12{*this, "Image12"}, Image13{*this, "Image13"}, Image14{*this, "Image14"};
  // The user line.
  ui::Label Label1{*this, "Label1"};
  // System folders: caption, then the Windows, Program Files and Common Files links.
  ui::Label Label5{*this, "Label5", {}, "System folders:"};
  ui::Label Label2{*this, "Label2"}, Label4{*this, "Label4"}, Label6{*this, "Label6"};
  // Process count and free-space line.
  ui::Label Label3{*this, "Label3"}, Label7{*this, "Label7"};
  // Disk usage: caption and bar.
  ui::Label Label8{*this, "Label8", {}, "Disk in use"};
  ui::Image ProgressBar{*this, "ProgressBar"};
  // Folder information text and the browse button that opens the selected folder.
  ui::Label Label9{*this, "Label9"};
  ui::Image Image28{*this, "Image28"};
  // Forum links (Image21, Image19, Image17) and their separators (Image20, Image18).
  ui::Image Image21{*this, "Image21"}, Image20{*this, "Image20"}, Image19{*this, "Image19"};
  ui::Image Image18{*this, "Image18"}, Image17{*this, "Image17"};
  // Hot areas of the software and hardware links.
  ui::Image Image22{*this, "Image22"}, Image23{*this, "Image23"};
  // News button, its separator, download-site button.
  ui::Image Image27{*this, "Image27"}, Image29{*this, "Image29"}, Image30{*this, "Image30"};
  int ProgressBar1 = 0;  // the memory percentage

  ui::Timer Timer1{*this, "Timer1", 10};
  ui::Timer Timer2{*this, "Timer2", 10000};
  ui::Timer Timer4{*this, "Timer4", 10};
  ui::PopupMenu PopupMenu1{*this, "PopupMenu1"};

  // Shows the window again from the tray.
  void restoreFromTray();
  // Lays out the three forum links for the current member state.
  void placeForumLinks();
  // A tool that stopped the dashboard's timers has closed: they run again if the window shows.
  void resumeTimers();

 private:
  std::string rememberedArgument_;
  bool linkHoverLatch_ = false;
  std::string selectedFolder_;
  app::DiskBar diskBar_;
  app::GlyphReadout totalReadout_{Image10}, usedReadout_{Image12};
  // What the memory section shows (percent, megabytes installed and in use); none before
  // its first refresh.
  std::optional<std::tuple<int, uint64_t, uint64_t>> shownMemory_;
  std::array<frame::ImageButton, 3> toolButtons_;
  frame::ImageButton browseButton_{skin(), Image28, "browse", hoverLatch};
  std::array<frame::CheckPicture, 3> checks_;
  std::array<frame::HoverLink, 3> folderLinks_;
  // The Windows-directory watcher, from construction to the program's end.
  std::unique_ptr<monitor::FolderUpdate> folderUpdate_;
  // The connection badge's question, open until the system answers it.
  std::unique_ptr<app::ConnectionCheck> connectionCheck_;

  // Construction.
  void buildControls();
  void buildTrayMenu();
  void startFolderUpdate();
  void startConnectionCheck();
  app::ConnectionCheck::Post uiPost();
  void showCleanupChoices();
  // Dashboard.
  void refreshDisk();
  void refreshProcessCount();
  void refreshMemory();
  void detectMembership();

  // Hover and actions.
  void bindActions();
  void toolButtonHover(size_t tool);
  void openTool(size_t tool);
  void forumLinkHover(ui::Image& link);
  void resetHover();
  void checkHover(size_t item);
  void checkClick(size_t item);
  bool checkEnabled(size_t item) const;
  void folderLinkClick(ui::Label& label);
  void forumAction(int link);
  void showNews();

  void FormShow() override;
  void FormPaint(ui::Canvas& canvas) override;
  void FormMouseMove(int x, int y) override;
  // The dashboard is no dialog: Escape leaves it where it is.
  void FormEscape() override {}
  void FormClose(ui::CloseAction& action) override;
  void FormHide() override;
  void FormSysCommand(int command) override;
  void FormTrayMessage(ui::TrayEvent event) override;
};
