#include "scan/scanrun.h"

#include <algorithm>
#include <utility>

#include "platform/busyflag.h"
#include "scan/keptfinds.h"
#include "scan/listedfile.h"
#include "scan/quarantinefolder.h"
#include "scan/scanphases.h"
#include "scan/scramble.h"
#include "scan/signatures.h"

namespace scan {
namespace {

// The key a key line names, as a path of single backslashes between names: the line's leading
// backslash and any empty names (doubled or trailing backslashes) name nothing. A line of
// backslashes alone would name the root itself, which is never looked up, let alone deleted:
// its path is empty.
std::string keyPath(const std::string& line) {
  std::string path;
  size_t start = 0;
  while (start < line.size()) {
    size_t end = line.find('\\', start);
    if (end == std::string::npos) end = line.size();
    if (end > start) path += (path.empty() ? "" : "\\") + line.substr(start, end - start);
    start = end + 1;
  }
  return path;
}

}  // namespace

ScanRun::ScanRun(ScanSetup setup, ScanView& view)
    : setup_(std::move(setup)),
      view_(view),
      backup_(setup_.files, setup_.system, quarantineFolder(setup_.programDir)) {}

ScanRun::State ScanRun::step() {
  if (state_ != State::Running || stepping_) return state_;
  platform::BusyFlag busy(stepping_);
  if (view_.stopRequested()) return end(State::Ended);
  return advance();
}

ScanRun::State ScanRun::run() {
  while (step() == State::Running && !stepping_) {
  }
  return state_;
}

ScanRun::State ScanRun::advance() {
  while (phase_ < kScanPhases.size()) {
    if (!phaseLoaded_) {
      if (!startPhase()) return end(State::Ended);
      phaseLoaded_ = true;
      line_ = 0;
    }
    if (line_ < SignatureLines.size()) {
      const std::string plain = UnscrambleText(SignatureLines[line_++]);
      processLine(plain);
      view_.processMessages();
      return view_.stopRequested() ? end(State::Ended) : state_;
    }
    SignatureLines.clear();
    phaseLoaded_ = false;
    ++phase_;
  }
  ScanView::End done;
  done.caption = kScanCompleteCaption;
  done.summary = infectionsText(counts_.rows);
  done.enableButtons = counts_.rows > 0 && !counts_.DetectedFiles.empty();
  done.clean = counts_.rows == 0;
  end(State::Complete);
  view_.scanComplete(done);
  offerKept();
  if (refused_ > 0) view_.tell(needsAdministratorText(refused_));
  return state_;
}

bool ScanRun::startPhase() {
  const ScanPhase& phase = kScanPhases[phase_];
  view_.showPhase(phaseCaption(phase));
  const std::string path = signatureListPath(setup_.programDir, phase.listName);
  SignatureList list = loadSignatureList(setup_.files, path);
  if (list.status == SignatureList::Status::Missing) return false;
  if (list.status != SignatureList::Status::Loaded) {
    view_.listError(signatureListError(list, path));
    return false;
  }
  SignatureLines = std::move(list.lines);
  return true;
}

void ScanRun::processLine(const std::string& line) {
  const ScanPhase& phase = kScanPhases[phase_];
  ++counts_.ItemsScanned;
  view_.showItemsScanned(itemsScannedText(counts_.ItemsScanned));
  view_.showItem(shownText(phase, setup_.windowsDir, line), shownFitted(phase));
  view_.pause(kLinePauseMs);
  // The window may have handled the user's messages while it paused: once the scan is to end,
  // nothing more is looked up, let alone deleted.
  if (view_.stopRequested()) return;
  switch (phase.check) {
    case PhaseCheck::File:
      checkFile(line);
      break;
    case PhaseCheck::Key:
      checkKey(line);
      break;
    case PhaseCheck::Value:
      checkValue(line);
      break;
  }
}

void ScanRun::checkFile(const std::string& line) {
  if (setup_.windowsDir.empty() || !namesFileInside(line)) return;
  const std::string path = setup_.windowsDir + "\\" + line;
  if (!setup_.files.fileExists(path)) return;
  counts_.DetectedFiles.push_back(path);
  ++counts_.FilesDetected;
  ++counts_.rows;
  view_.fileFound(path, counts_.FilesDetected);
  view_.detectionSound();
}

std::vector<platform::RegView> ScanRun::viewsOf(platform::RegRoot root) {
  std::vector<platform::RegView> views = setup_.registry.views();
  // The user's own keys are the same in every view.
  if (root == platform::RegRoot::CurrentUser) views.resize(1);
  return views;
}

std::string ScanRun::inViewText(platform::RegView view) {
  return view == setup_.registry.ownView() ? std::string()
                                           : std::string(" (") + platform::viewName(view) + ")";
}

void ScanRun::checkKey(const std::string& line) {
  const ScanPhase& phase = kScanPhases[phase_];
  const std::string path = keyPath(line);
  if (path.empty()) return;
  for (platform::RegView view : viewsOf(phase.root)) {
    platform::Registry& registry = setup_.registry.inView(view);
    if (!registry.open(phase.root, path, platform::RegAccess::Read)) continue;
    const std::string caption = platform::rootName(phase.root) + line + inViewText(view);
    if (!registry.open(phase.root, path, platform::RegAccess::AllAccess)) {
      // A key this user may read but not change: shown, and the user told at the end.
      ++refused_;
      found(caption, false);
    } else if (!backup_.saveKey(registry, phase.root, path)) {
      keep(view, phase.root, path, std::nullopt, caption);
    } else {
      found(caption, registry.deleteTree(phase.root, path));
    }
    view_.detectionSound();
  }
}

void ScanRun::checkValue(const std::string& line) {
  const ScanPhase& phase = kScanPhases[phase_];
  for (platform::RegView view : viewsOf(phase.root)) {
    platform::Registry& registry = setup_.registry.inView(view);
    auto key = registry.open(phase.root, phase.valueKey, platform::RegAccess::AllAccess);
    const bool changeable = key != nullptr;
    if (!key) key = registry.open(phase.root, phase.valueKey, platform::RegAccess::Read);
    if (!key || !key->read(line)) continue;
    const std::string caption = platform::rootName(phase.root) + std::string("\\") +
                                phase.valueKey + "\\" + line + inViewText(view);
    // Deleted silently once saved; a value that stays is shown like a key that stays.
    if (!changeable) {
      ++refused_;
      found(caption, false);
    } else if (backup_.saveValue(registry, phase.root, phase.valueKey, *key, line)) {
      key->deleteValue(line);
    } else {
      keep(view, phase.root, phase.valueKey, line, caption);
    }
  }
}

void ScanRun::found(const std::string& caption, bool removed) {
  ++counts_.KeysRemoved;
  ++counts_.rows;
  view_.keyFound(caption, removed ? kKeyRemoved : kKeyNotRemoved, counts_.KeysRemoved);
}

void ScanRun::keep(platform::RegView view, platform::RegRoot root, const std::string& keyPath,
                   const std::optional<std::string>& value, const std::string& caption) {
  kept_.push_back(Kept{counts_.rows, view, root, keyPath, value});
  const BackupFailure why = backup_.failure();
  if (std::find(keptWhy_.begin(), keptWhy_.end(), why) == keptWhy_.end()) keptWhy_.push_back(why);
  found(caption, false);
}

void ScanRun::offerKept() {
  if (kept_.empty() ||
      !view_.confirmDeleteWithoutBackup(keptFindsQuestion(kept_.size(), keptWhy_, backup_.folder())))
    return;
  for (const Kept& find : kept_) {
    platform::Registry& registry = setup_.registry.inView(find.view);
    bool removed = false;
    if (find.value) {
      auto key = registry.open(find.root, find.keyPath, platform::RegAccess::AllAccess);
      removed = key && key->deleteValue(*find.value);
    } else {
      removed = registry.deleteTree(find.root, find.keyPath);
    }
    if (removed) view_.keyRemovedLater(find.row);
  }
}

ScanRun::State ScanRun::end(State state) {
  state_ = state;
  SignatureLines.clear();
  backup_.close();
  return state_;
}

}  // namespace scan
