// The main window: the dashboard and hub of the program. It owns the skin library, the tray
// icon and its menu, the forum member state and the system facts the tools read from it.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "app/imagebutton.h"
#include "app/skinnedform.h"
#include "online/cookiemember.h"

class Tqex_ulm_frm : public app::SkinnedForm {
 public:
  static constexpr uint32_t kTrayId = 1005;
  static constexpr unsigned kTrayMessage = 2025;
  static constexpr int kForumCommand = 50, kAboutCommand = 60;

  explicit Tqex_ulm_frm(app::App& app);
  ~Tqex_ulm_frm() override;

  // The skin library, loaded first of all; every window takes its pictures from it.
  std::unique_ptr<app::Skin> skinModule;
  const app::Skin& skin() const { return *skinModule; }

  // Forum member state.
  std::string storedUser;
  bool memberFlag = false, cookieMember = false, dialogLogin = false;
  online::CookieMembership cookies;
  // Cleanup choices: true means the item is excluded from cleaning.
  bool excludeTemporary = false, excludeRecycle = false, excludeNorton = false;
  // System facts for the tools.
  std::string SystemFolders, osName, directXVersion, browserName, logonUserName;
  std::string installPath, nortonQuarantine, helpFile;
  int colorDepth = 0;

  ui::Image Image31{*this, "Image31", {0, 0, 145, 35}};
  ui::Image Image2{*this, "Image2"}, Image3{*this, "Image3"}, Image4{*this, "Image4"};
  ui::Image Image5{*this, "Image5"}, Image6{*this, "Image6"}, Image7{*this, "Image7"};
  ui::Image Image8{*this, "Image8"}, Image1{*this, "Image1"}, Image15{*this, "Image15"};
  ui::Image Image9{*this, "Image9"};
  ui::Image Image10{*this, "Image10"}, Image12{*this, "Image12"}, Image13{*this, "Image13"}, Image14{*this, "Image14"};
  ui::Label Label1{*this, "Label1"};
  ui::Label Label5{*this, "Label5", {}, "System folders:"};
  ui::Label Label2{*this, "Label2"}, Label4{*this, "Label4"}, Label6{*this, "Label6"};
  ui::Label Label3{*this, "Label3"}, Label7{*this, "Label7"};
  ui::Label Label8{*this, "Label8", {}, "Disk in use"};
  ui::Image ProgressBar{*this, "ProgressBar"};
  ui::Label Label9{*this, "Label9"};
  ui::Image Image28{*this, "Image28"};
  ui::Image Image21{*this, "Image21"}, Image20{*this, "Image20"}, Image19{*this, "Image19"};
  ui::Image Image18{*this, "Image18"}, Image17{*this, "Image17"};
  ui::Image Image22{*this, "Image22"}, Image23{*this, "Image23"};
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

 private:
  std::string rememberedArgument_;
  bool linkHoverLatch_ = false;
  std::string selectedFolder_;
  std::array<int, 3> checkState_{};
  // Disk bar: frame, fill and result pictures; the fill width last drawn.
  ui::Bitmap diskFrame_, diskFill_, diskResult_;
  int diskFillWidth_ = 0;
  // The character last drawn in each glyph cell of the two memory readouts.
  std::array<char, 8> drawnCells_{};
  ui::Bitmap totalCells_, usedCells_;
  std::unique_ptr<app::ImageButton> cleanerButton_, startupButton_, processButton_, browseButton_;

  // Construction.
  void buildControls();
  void buildTrayMenu();
  void detectOperatingSystem();
  void readRegistryFacts();
  void showCleanupChoices();
  void testConnection();
  // Dashboard.
  void refreshDisk();
  void refreshProcessCount();
  void refreshMemory();
  void drawCells(ui::Image& image, ui::Bitmap& cells, const std::string& text, size_t firstCell);
  void detectMembership();

  // Hover and actions.
  void bindActions();
  void largeButtonHover(app::ImageButton& over);
  void openTool(app::ImageButton& button, ui::Form& tool);
  void forumLinkHover(ui::Image& link);
  void resetHover();
  void checkHover(int item);
  void checkClick(int item);
  void resetChecks();
  bool checkEnabled(int item) const;
  void folderLinkClick(ui::Label& label);
  void forumAction(int link);
  void openForum(const std::string& path);
  void showNews();

  void FormShow() override;
  void FormPaint(ui::Canvas& canvas) override;
  void FormMouseMove(int x, int y) override;
  void FormClose(ui::CloseAction& action) override;
  void FormHide() override;
  void FormSysCommand(int command) override;
  void FormTrayMessage(unsigned message) override;
};
