// The Deleting Temporary Files... window: one run per showing. It reads every file below the
// user's Temp folder and in the antivirus quarantine folder, deletes them with a percentage and
// a bar, empties the recycle bins, and closes itself. The main window's cleanup choices turn
// each of the three steps off.
//
// Deleting goes only through CleanRoot, so a file that lies outside the two folders, by its
// path or where it really is, stays. Closing the window (Cancel or its caption button) stops
// the run at the next file: during reading nothing is deleted, during deletion the rest stays;
// the recycle bins are emptied all the same when that choice is on.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/window.h"
#include "cleanup/cleanbar.h"
#include "cleanup/cleanroot.h"
#include "cleanup/filefinder.h"
#include "frame/standardbutton.h"

class Tdeletefrm : public app::Window {
 public:
  explicit Tdeletefrm(app::App& app);

  // The file being read, then the percentage deleted.
  ui::Label Label1{*this, "Label1"};
  ui::Image ProgressBar{*this, "ProgressBar", {16, 152, 318, 177}};
  // The Cancel button: face and caption.
  ui::Image Image1{*this, "Image1"};
  ui::Label Label2{*this, "Label2"};
  ui::Timer Timer1{*this, "Timer1", 10};

  // Between the start of a run and its end, closed or not: the main window opens no second
  // run meanwhile.
  bool running() const { return running_; }

 private:
  cleanup::TFileFinder finder_;
  std::vector<std::string> FoundFiles;
  uint64_t TotalKB = 0;
  int Percent = 0, FillWidth = 0;
  const int BarWidth;
  bool Cancelled = false;
  bool running_ = false;
  cleanup::CleanBar bar_;
  frame::StandardButton cancel_;
  // The folders of this run, fixed before it reads a file; the first tempFiles_ entries of
  // FoundFiles lie in the Temp folder, the rest in the quarantine folder.
  std::optional<cleanup::CleanRoot> tempRoot_, quarantineRoot_;
  size_t tempFiles_ = 0;
  // The user's separators, read once per run.
  char decimalSeparator_ = '.';
  std::string thousandsSeparator_;
  // The fill the bar last showed; -1 when it must be drawn again.
  int shownFill_ = -1;
  // The path line shows the last of the first shownPaths_ entries of FoundFiles since the
  // tick pathShownAt_.
  size_t shownPaths_ = 0;
  uint64_t pathShownAt_ = 0;

  void FormShow() override;
  void FormClose(ui::CloseAction& action) override;
  void FormMouseMove(int x, int y) override;
  void Timer1Timer();
  void fileFound(cleanup::TFileFinder& finder, const std::string& name, const std::string& folder,
                 const platform::FindData& entry);
  void walk(const cleanup::CleanRoot& root);
  void showFoundPath(bool now);
  void deleteFound();
  void drawBar();
  void resetFill();
};
