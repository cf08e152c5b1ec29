// The Orvanta System Scan window: every showing runs the seven phases of the threat scan, lists
// what they find (registry finds are already removed by then), and leaves the files found to
// its three buttons: Quarantine, Delete files and Save log. A clean scan started at logon fades
// the window out and closes it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/window.h"
#include "frame/listheader.h"
#include "frame/standardbutton.h"
#include "scan/fileremoval.h"
#include "ui/dialogs.h"
#include "ui/windowed.h"

class Tdeepscanfrm : public app::Window, private scan::RemovalView {
 public:
  explicit Tdeepscanfrm(app::App& app);

  // Full paths of the files found, in the order found; kept until the window closes.
  std::vector<std::string> DetectedFiles;
  int32_t ItemsScanned = 0;
  int32_t FilesDetected = 0;
  int32_t KeysRemoved = 0;
  // The user confirmed ending the scan.
  bool StopRequested = false;
  // Fade out and close after a clean scan; set by the "-scan" start, cleared by a fade-out.
  bool AutoClose = false;
  // Fade level in percent, and whether a fade made the window translucent.
  int32_t Opacity = 100;
  bool Layered = false;

  // The results under their header frame.
  ui::Shape Shape2{*this, "Shape2"};
  ui::ListView ListView1{*this, "ListView1"};
  ui::Label Label5{*this, "Label5"}, Label6{*this, "Label6"};
  // File counter and registry counter: symbol, caption, count.
  ui::Image Image4{*this, "Image4"};
  ui::Label Label10{*this, "Label10"}, Label8{*this, "Label8"};
  ui::Image Image5{*this, "Image5"};
  ui::Label Label11{*this, "Label11"}, Label9{*this, "Label9"};
  // Quarantine, Delete files and Save log: faces and captions.
  ui::Image Image1{*this, "Image1"};
  ui::Label Label12{*this, "Label12"};
  ui::Image Image3{*this, "Image3"};
  ui::Label Label3{*this, "Label3"};
  ui::Image Image2{*this, "Image2"};
  ui::Label Label4{*this, "Label4"};
  // Phase, item, and the count of items scanned.
  ui::Label Label2{*this, "Label2"}, Label1{*this, "Label1"}, Label7{*this, "Label7"};

  // Starts the scan once the window has painted; the delay before a fade-out; its steps.
  ui::Timer Timer1{*this, "Timer1", 10};
  ui::Timer Timer3{*this, "Timer3", 10000};
  ui::Timer Timer2{*this, "Timer2", 1};

  const ui::SaveDialogOptions SaveDialog1;

 private:
  class ScanPanel;

  frame::ListHeader header_;
  frame::StandardButton quarantine_, deleteFiles_, saveLog_;
  scan::FileRemoval removal_;
  // Counts the showings: a scan belongs to the showing it started in and stops with it.
  uint32_t showing_ = 0;

  void buildControls();
  void setButtonsEnabled(bool enabled);
  void Timer1Timer();
  void Timer2Timer();
  void QuarantineClick();
  void DeleteFilesClick();
  void SaveLogClick();

  void FormShow() override;
  bool FormCloseQuery() override;
  void FormClose(ui::CloseAction& action) override;
  void FormMouseMove(int x, int y) override;

  // What Delete files and Quarantine show on the way.
  void showItem(const std::string& text) override;
  void showFilesDetected(int32_t filesDetected) override;
  void pause(uint32_t ms) override;
  void processMessages() override;
  void cannotWrite(const std::string& folder) override;
};
