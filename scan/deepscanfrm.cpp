#include "scan/deepscanfrm.h"

#include "app/qex_ulm_frm.h"
#include "frame/pathtext.h"
#include "frame/timestamp.h"
#include "frame/toollook.h"
#include "monitor/preffrm.h"
#include "scan/scanlog.h"
#include "scan/scanphases.h"
#include "scan/scanrun.h"
#include "skin/layout.h"

namespace {

namespace L = skin::layout::scanner_form;
using skin::layout::at;

const ui::Rect kList = at(32, 48, 505, 153);
constexpr int kItemLeft = 40, kItemWidth = 489;
constexpr int kOpacityStep = 2;

}  // namespace

using frame::toollook::placeLabel;

// The window as one scan sees it. A scan belongs to the showing it started in: closing the
// window with the scan ended, showing it anew, or the program's end stops it after its line.
//
// What a line changes on the window is drawn at the start of the pause that follows it, within
// the pause's time, so that showing a scan costs the scan no time of its own: the item and the
// counts then, and the rows found once the list has filled at most once a second (a list
// control redraws its scroll bar for every row it gets).
class Tdeepscanfrm::ScanPanel : public scan::ScanView {
 public:
  explicit ScanPanel(Tdeepscanfrm& window) : w_(window), showing_(window.showing_) {}
  void attach(const scan::ScanRun& run) { run_ = &run; }
  // Whether what the scan finds still goes to the window.
  bool live() { return !stopRequested(); }

  // Brings the window up to date with the scan; rows only when due, or all of them.
  void show(bool allRows) {
    if (!live()) return;
    w_.ItemsScanned = run_->counts().ItemsScanned;
    w_.Label7.setCaption(itemsScanned_);
    w_.Label1.setCaption(item_);
    w_.Label8.setCaption(std::to_string(w_.FilesDetected));
    w_.Label9.setCaption(std::to_string(w_.KeysRemoved));
    if (rows_.empty()) return;
    const uint64_t now = w_.app_.sys.clock().tickMs();
    if (!allRows && w_.ListView1.rowCount() >= kRowsShown && now - rowsShownAt_ < kRowsEveryMs)
      return;
    w_.ListView1.addRows(std::move(rows_));
    rows_.clear();
    rowsShownAt_ = now;
  }

  void showPhase(const std::string& caption) override {
    if (live()) w_.Label2.setCaption(caption);
  }
  void showItem(const std::string& text, bool fitToLabel) override {
    if (!fitToLabel) {
      item_ = text;
      return;
    }
    ui::TextRenderer& renderer = w_.app_.ui.text();
    const ui::Font& font = w_.Label1.font();
    item_ = frame::fitPathToWidth(
        text, kItemWidth, [&](const std::string& s) { return renderer.measure(font, s).width; });
  }
  void showItemsScanned(const std::string& text) override { itemsScanned_ = text; }
  void pause(uint32_t ms) override {
    w_.app_.ui.pause(ms, [this] { show(false); });
  }
  void processMessages() override { w_.app_.ui.processMessages(); }
  bool stopRequested() override {
    return w_.StopRequested || showing_ != w_.showing_ || w_.app_.ui.terminated();
  }
  void fileFound(const std::string& path, int32_t filesDetected) override {
    if (!live()) return;
    w_.DetectedFiles.push_back(path);
    w_.FilesDetected = filesDetected;
    addRow(path, frame::fileTimeStamp(w_.app_.sys.files(), w_.app_.sys.system(), path));
  }
  void keyFound(const std::string& caption, const std::string& state,
                int32_t keysRemoved) override {
    if (!live()) return;
    w_.KeysRemoved = keysRemoved;
    addRow(caption, state);
  }
  void detectionSound() override {
    if (live() && w_.app_.preffrm->InfSound) w_.skin().play("warning");
  }
  void listError(const std::string& message) override {
    if (live()) w_.app_.ui.messageBox(&w_, message, app::App::kTitle, ui::kMbOk | ui::kMbIconError);
  }
  void scanComplete(const End& end) override {
    if (!live()) return;
    show(true);
    w_.setButtonsEnabled(end.enableButtons);
    w_.Label2.setCaption(end.caption);
    w_.Label1.setCaption(end.summary);
    if (w_.AutoClose && end.clean) w_.Timer3.start();
  }
  void keyRemovedLater(int32_t row) override {
    if (!live() || row < 0 || row >= w_.ListView1.rowCount()) return;
    ui::ListRow shown = w_.ListView1.rows()[static_cast<size_t>(row)];
    shown.subItems = {scan::kKeyRemoved};
    w_.ListView1.setRow(row, std::move(shown));
  }
  // The window may have been closed or shown anew while the box was open: its rows are then
  // another scan's, and nothing of this one is deleted.
  void tell(const std::string& message) override {
    if (live()) w_.app_.ui.messageBox(&w_, message, "Orvanta Scan", ui::kMbOk | ui::kMbIconWarning);
  }
  bool confirmDeleteWithoutBackup(const std::string& question) override {
    return live() &&
           w_.app_.ui.messageBox(&w_, question, "Orvanta Scan",
                                 ui::kMbYesNo | ui::kMbIconWarning) == ui::kIdYes &&
           live();
  }

 private:
  // Rows the list shows without scrolling, and how often rows below them are added.
  static constexpr int kRowsShown = 8;
  static constexpr uint64_t kRowsEveryMs = 1000;

  void addRow(const std::string& caption, const std::string& subItem) {
    rows_.push_back(ui::ListRow{caption, {subItem}, 0});
  }

  Tdeepscanfrm& w_;
  const uint32_t showing_;
  const scan::ScanRun* run_ = nullptr;
  std::string item_, itemsScanned_ = scan::itemsScannedText(0);
  std::vector<ui::ListRow> rows_;
  uint64_t rowsShownAt_ = 0;
};

Tdeepscanfrm::Tdeepscanfrm(app::App& app)
    : Window(app, "Tdeepscanfrm", "deepscanfrm", 566, 365, "Orvanta System Scan", "scanner_form"),
      SaveDialog1{"Save Scan Log", "Text Documents (*.txt)|*.txt", "*.txt", true},
      header_(Shape2, ListView1, kList),
      quarantine_(skin(), Image1, Label12, hoverLatch, L::kButtons[0].left, L::kButtons[0].top,
                  "Quarantine", [this] { QuarantineClick(); }),
      deleteFiles_(skin(), Image3, Label3, hoverLatch, L::kButtons[1].left, L::kButtons[1].top,
                   "Delete files", [this] { DeleteFilesClick(); }),
      saveLog_(skin(), Image2, Label4, hoverLatch, L::kButtons[2].left, L::kButtons[2].top,
               "Save log", [this] { SaveLogClick(); }),
      removal_(app.sys.files(), *this, app.facts.windowsDirectory) {
  font = ui::Font::pixels("Verdana", 11, false, ui::kWhite);
  buildControls();
  setButtonsEnabled(false);
  Timer1.onTimer = [this] { Timer1Timer(); };
  Timer3.onTimer = [this] {
    Timer3.stop();
    Timer2.start();
  };
  Timer2.onTimer = [this] { Timer2Timer(); };
}

void Tdeepscanfrm::buildControls() {
  ListView1.setColumns({{"Filename", 340}, {"Time stamp", 140}});
  ListView1.smallImages = {skin().bitmap("list_warning")};
  header_.add(Label5, kList.left + 4, "Location");
  header_.add(Label6, kList.left + 344, "Time stamp");

  const ui::Rect counters[2] = {L::kFileCounter, L::kKeyCounter};
  ui::Image* symbols[2] = {&Image4, &Image5};
  const char* pictures[2] = {"detect_file", "detect_reg"};
  ui::Label* captions[2] = {&Label10, &Label11};
  ui::Label* counts[2] = {&Label8, &Label9};
  for (int i = 0; i < 2; ++i) {
    symbols[i]->setBounds(counters[i]);
    skin().load(*symbols[i], pictures[i]);
    placeLabel(*captions[i], counters[i].left + 30, counters[i].top + 6, font, "Detected:");
    placeLabel(*counts[i], counters[i].left + 92, counters[i].top + 6, font, "0");
  }

  placeLabel(Label2, kItemLeft, 280, font);
  Label1.setAutoSize(false);
  Label1.setBounds(at(kItemLeft, 296, kItemWidth, 14));
  Label1.setFont(ui::Font::pixels("Verdana", 11, true, ui::kWhite));
  placeLabel(Label7, kItemLeft, 312, font);
}

void Tdeepscanfrm::setButtonsEnabled(bool enabled) {
  for (frame::StandardButton* b : {&quarantine_, &deleteFiles_, &saveLog_}) b->setEnabled(enabled);
}

void Tdeepscanfrm::FormShow() {
  ++showing_;
  if (app_.qex_ulm_frm->visible()) app_.qex_ulm_frm->Timer1.stop();
  if (Layered) {
    setLayered(false);
    Layered = false;
  }
  DetectedFiles.clear();
  ListView1.clear();
  StopRequested = false;
  Opacity = 100;
  setButtonsEnabled(false);
  Label8.setCaption("0");
  Label9.setCaption("0");
  KeysRemoved = 0;
  FilesDetected = 0;
  Label1.setCaption("");
  Label7.setCaption(scan::itemsScannedText(0));
  Label2.setCaption(scan::kFileSystemCaption);
  Timer1.start();
}

// The whole scan runs here, letting the window handle its messages after every line.
void Tdeepscanfrm::Timer1Timer() {
  Timer1.stop();
  ScanPanel panel(*this);
  scan::ScanRun run(scan::ScanSetup{app_.sys.registry(), app_.sys.files(), app_.sys.system(),
                                    app_.programDir(), app_.facts.windowsDirectory},
                    panel);
  panel.attach(run);
  // A scan that ended before its end step shows where it stood.
  if (run.run() != scan::ScanRun::State::Complete) panel.show(true);
}

void Tdeepscanfrm::Timer2Timer() {
  Opacity -= kOpacityStep;
  if (Opacity <= 0) {
    Timer2.stop();
    AutoClose = false;
    close();
    return;
  }
  if (layeredSupported()) {
    setLayered(true);
    setAlpha(static_cast<uint8_t>(Opacity * 255 / 100));
  }
  Layered = true;
}

bool Tdeepscanfrm::FormCloseQuery() {
  if (Label2.caption() == scan::kScanCompleteCaption) return true;
  if (app_.ui.messageBox(this, "Are you sure you want to end this scan?", "Orvanta Scan",
                         ui::kMbYesNo | ui::kMbIconQuestion) != ui::kIdYes)
    return false;
  StopRequested = true;
  return true;
}

void Tdeepscanfrm::FormClose(ui::CloseAction&) {
  ListView1.clear();
  DetectedFiles.clear();
  ItemsScanned = 0;
  // Nothing started for this showing may go on once the window is closed: not the scan's
  // start, not a fade, not a removal.
  Timer1.stop();
  Timer3.stop();
  Timer2.stop();
  removal_.requestStop();
  app_.qex_ulm_frm->resumeTimers();
}

void Tdeepscanfrm::FormMouseMove(int, int) {
  if (!hoverLatch) return;
  hoverLatch = false;
  for (frame::StandardButton* b : {&quarantine_, &deleteFiles_, &saveLog_}) b->normal();
}

void Tdeepscanfrm::QuarantineClick() {
  if (removal_.running()) return;
  setButtonsEnabled(false);
  ListView1.clear();
  removal_.quarantine(DetectedFiles, FilesDetected, app_.programDir());
}

void Tdeepscanfrm::DeleteFilesClick() {
  if (removal_.running()) return;
  setButtonsEnabled(false);
  ListView1.clear();
  removal_.deleteFiles(DetectedFiles, FilesDetected);
}

void Tdeepscanfrm::SaveLogClick() {
  const auto file = app_.ui.saveDialog(this, SaveDialog1);
  if (!file || file->empty()) return;
  if (!scan::saveScanLog(app_.sys.files(), *file, DetectedFiles))
    app_.ui.messageBox(this, scan::scanLogError(*file), app::App::kTitle,
                       ui::kMbOk | ui::kMbIconError);
}

void Tdeepscanfrm::showItem(const std::string& text) { Label1.setCaption(text); }

void Tdeepscanfrm::showFilesDetected(int32_t filesDetected) {
  FilesDetected = filesDetected;
  Label8.setCaption(std::to_string(filesDetected));
}

void Tdeepscanfrm::cannotWrite(const std::string& folder) { app_.cannotWrite(folder); }

// The window repaints and answers the user while it pauses.
void Tdeepscanfrm::pause(uint32_t ms) { app_.ui.pause(ms); }

void Tdeepscanfrm::processMessages() {
  app_.ui.processMessages();
  if (app_.ui.terminated()) removal_.requestStop();
}
