// The System Wizard window: the running processes, ending one, finding every copy of a
// process's file on the Windows drive with its owner and time stamp, and the plain-text report
// of processes and Run values.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "app/window.h"
#include "cleanup/ffpathlist.h"
#include "cleanup/filefinder.h"
#include "frame/listheader.h"
#include "frame/sectionlinks.h"
#include "frame/standardbutton.h"
#include "platform/processes.h"

class Tsystemprofrm : public app::Window {
 public:
  explicit Tsystemprofrm(app::App& app);

  // Caption of the row last selected or right-clicked.
  std::string SelectedName;
  // Owner and time stamp of the file selected in the location list.
  std::string FileOwner, FileTime;
  cleanup::TFileFinder Finder;
  cleanup::TFFPathList LocatePaths;
  std::vector<std::string> LocateMasks;

  // The highlight bar, under the section links.
  ui::Image Image1{*this, "Image1"};
  ui::Label Label1{*this, "Label1"}, Label5{*this, "Label5"}, Label9{*this, "Label9"};
  // The header frame; Label6's text is the list's mode.
  ui::Shape Shape1{*this, "Shape1"};
  ui::Label Label6{*this, "Label6"}, Label7{*this, "Label7"};
  ui::ListView ListView1{*this, "ListView1"};
  // The report, over the list while its section is open.
  ui::Panel Panel1{*this, "Panel1"};
  ui::Memo Memo1{*this, "Memo1"};
  // Description, the process count and its words, the line at the bottom.
  ui::Label Label3{*this, "Label3"};
  ui::Label Label2{*this, "Label2"}, Label4{*this, "Label4"};
  ui::Label Label10{*this, "Label10"};
  // The Terminate button: face and caption.
  ui::Image Image2{*this, "Image2"};
  ui::Label Label8{*this, "Label8"};
  ui::Timer Timer1{*this, "Timer1", 10};
  ui::PopupMenu PopupMenu1{*this, "PopupMenu1"};

  static constexpr const char* kProcessMode = "Application";
  static constexpr const char* kLocationMode = "Location";
  static constexpr const char* kReportMode = "Log Running Processes";

 private:
  frame::SectionLinks sections_;
  frame::ListHeader header_;
  frame::StandardButton terminate_;
  int shownCount_ = 0;
  // Who each process of the list was when it was listed, by ID: Terminate ends that one only.
  std::map<uint32_t, platform::ProcessIdentity> listed_;
  // Moves on with every section opened and when the window closes, so that a locate that let
  // them happen leaves the list alone afterwards.
  unsigned section_ = 0;
  // A locate's walk is under way (the finder takes no second one meanwhile).
  bool locating_ = false;

  void openSection();
  void showProcesses();
  void showReport();
  void showCount(int count);
  void selectRow();
  void prepareMenu();
  void updateMenu();
  void showFileDetails(const std::string& path);
  void terminateSelected();
  bool endProcess(int row);
  void locate();
  void deleteFile();
  void goToForum();

  void FormShow() override;
  void FormClose(ui::CloseAction& action) override;
  void FormMouseMove(int x, int y) override;
};
