#include "cleanup/deletefrm.h"

#include "app/qex_ulm_frm.h"
#include "cleanup/cleanerfigures.h"
#include "frame/pathtext.h"
#include "platform/busyflag.h"
#include "ui/dialogs.h"

namespace {
// How often the path line may change while the walk goes on: as often as a long loop paints.
constexpr uint64_t kPathLineMs = 50;
}  // namespace

Tdeletefrm::Tdeletefrm(app::App& app)
    : Window(app, "Tdeletefrm", "deletefrm", 335, 254, "Deleting Temporary Files...", "progress_form"),
      finder_(app.sys.files(), [&app] { app.ui.processMessages(); }),
      BarWidth(ProgressBar.width()),
      bar_(ProgressBar.width(), ProgressBar.height()),
      cancel_(skin(), Image1, Label2, hoverLatch, 120, 208, "Cancel", [this] { close(); }) {
  font = ui::Font::pixels("Verdana", 11, true, ui::kWhite);
  Label1.setAutoSize(false);
  Label1.setBounds({18, 136, 316, 149});
  Label1.setFont(font);
  ProgressBar.setTransparent(true);
  Timer1.onTimer = [this] { Timer1Timer(); };
  finder_.OnFileFound = [this](cleanup::TFileFinder& finder, const std::string& name, const std::string& folder,
                               const platform::FindData& entry) { fileFound(finder, name, folder, entry); };
}

void Tdeletefrm::FormShow() {
  FillWidth = 0;
  ProgressBar.clearPicture();
  shownFill_ = -1;
  drawBar();
  Cancelled = false;
  Timer1.start();
}

// However the window closes, the run stops: a walk at its next entry, the deletions before the
// next file, and a run that has not begun never begins.
void Tdeletefrm::FormClose(ui::CloseAction&) {
  Cancelled = true;
  finder_.Stopped = true;
  Timer1.stop();
  ProgressBar.clearPicture();
  resetFill();
  FoundFiles.clear();
  app_.qex_ulm_frm->resumeTimers();
  Label1.setCaption("");
}

void Tdeletefrm::FormMouseMove(int, int) {
  if (!hoverLatch) return;
  hoverLatch = false;
  cancel_.normal();
}

void Tdeletefrm::Timer1Timer() {
  platform::BusyFlag finished(running_);
  TotalKB = 0;
  Label1.setCaption("");
  resetFill();
  Timer1.stop();
  FoundFiles.clear();
  shownPaths_ = 0;
  decimalSeparator_ = app_.sys.system().decimalSeparator();
  thousandsSeparator_ = app_.sys.system().thousandsSeparator();

  const Tqex_ulm_frm& main = *app_.qex_ulm_frm;
  const app::SystemFacts& facts = app_.facts;
  const std::vector<std::string> guarded{app_.programDir(), facts.profileDirectory};
  // Whatever the registry names, nothing of the system's own folder is temporary: an antivirus
  // quarantine path set to a folder in it would empty that folder.
  const std::vector<std::string> closed{facts.windowsDirectory};
  platform::Files& files = app_.sys.files();
  tempRoot_.reset();
  quarantineRoot_.reset();
  if (!main.excludeTemporary) tempRoot_ = cleanup::CleanRoot::open(files, facts.tempFolder(), guarded, closed);
  if (tempRoot_) walk(*tempRoot_);
  tempFiles_ = FoundFiles.size();
  if (!main.excludeNorton) quarantineRoot_ = cleanup::CleanRoot::open(files, facts.nortonQuarantine, guarded, closed);
  // A run cancelled while it read the Temp folder reads no further.
  if (quarantineRoot_ && !Cancelled) walk(*quarantineRoot_);

  deleteFound();
  if (!main.excludeRecycle) {
    // A failure leaves the bins as they are; there is nothing to tell the user.
    app_.sys.shell().emptyRecycleBin("");
    app_.sys.clock().sleepMs(5);
  }
  close();
}

void Tdeletefrm::walk(const cleanup::CleanRoot& root) {
  finder_.Paths.Clear();
  finder_.Paths.Add(root.path(), true);
  finder_.Masks = {"*.*"};
  finder_.Execute();
  showFoundPath(true);
}

// The path line follows the walk as often as the screen is drawn during it: fitting a path to
// the label measures text, and doing that for every file cost more than finding the file.
void Tdeletefrm::showFoundPath(bool now) {
  if (shownPaths_ >= FoundFiles.size()) return;
  const uint64_t tick = app_.sys.clock().tickMs();
  if (!now && shownPaths_ > 0 && tick - pathShownAt_ < kPathLineMs) return;
  shownPaths_ = FoundFiles.size();
  pathShownAt_ = tick;
  Label1.setCaption(frame::fitPathToWidth(FoundFiles.back(), Label1.width(), [this](const std::string& text) {
    return app_.ui.text().measure(Label1.font(), text).width;
  }));
}

void Tdeletefrm::fileFound(cleanup::TFileFinder& finder, const std::string& name, const std::string& folder,
                           const platform::FindData& entry) {
  if (FoundFiles.size() == static_cast<size_t>(cleanup::kMaxCleanFiles)) {
    finder.Stopped = true;
    app_.ui.messageBox(this, cleanup::tooManyFilesText(thousandsSeparator_), app::App::kTitle,
                       ui::kMbOk | ui::kMbIconError);
    return;
  }
  // The listing's own 64-bit size: no second look at the file, and large files count in full.
  TotalKB += entry.size / 1024;
  setCaption(cleanup::readingCaption(TotalKB, decimalSeparator_));
  FoundFiles.push_back(folder + name);
  showFoundPath(false);
}

void Tdeletefrm::deleteFound() {
  platform::Files& files = app_.sys.files();
  const auto count = static_cast<int32_t>(FoundFiles.size());
  // Closing the window empties the list: nothing is read from it after a message was handled
  // until Cancelled has been looked at.
  for (int32_t i = 0; i < count && !Cancelled; ++i) {
    Percent = cleanup::deletedPercent(i, count);
    if (i > 0) FillWidth = cleanup::fillWidth(Percent, BarWidth);
    drawBar();
    const auto& root = static_cast<size_t>(i) < tempFiles_ ? tempRoot_ : quarantineRoot_;
    // Whatever stays (in use, read-only, gone, or lying elsewhere) simply stays.
    root->deleteFile(files, FoundFiles[static_cast<size_t>(i)]);
    Label1.setCaption(std::to_string(Percent) + "% Deleted");
    app_.ui.processMessages();
  }
}

void Tdeletefrm::drawBar() {
  // The fill only grows during a run, so an unchanged width changes no pixel.
  if (FillWidth == shownFill_) return;
  ProgressBar.setPicture(bar_.draw(FillWidth));
  shownFill_ = FillWidth;
}

void Tdeletefrm::resetFill() {
  bar_.reset();
  shownFill_ = -1;
}
