// The threat scan without its window: the seven phases run line by line against the lists
// beside the program, and everything the window shows or does on the way goes through
// ScanView, which the window implements.
//
// The scan advances one line per step(), so the window can drive it from its one-shot timer
// with run() (each line then pauses and lets the window process its messages through the
// view, as the scan always did) or from a repeating timer, one step per tick (the view's pause
// and message processing then do nothing, the message loop itself runs between the ticks).
// A step that is asked for while another is under way, from a handler that runs during the
// message processing of a line, does nothing: every line is processed once.
//
// Per line: ItemsScanned goes up and is shown, Label1 shows the line, the pause, the check
// and its action, the message processing, and then StopRequested is read (it is read also
// before a step begins, for a stop that came between two steps, and after the pause, during
// which the window may handle messages: a stop seen there skips the line's check). A missing list ends the
// scan at its phase, silently; a list that cannot be read ends it after the error box. Only
// when phase 7 has finished its lines does the end step come.
//
// Registry keys and values found are saved to the scan's registry backup (RegistryBackup)
// before they are deleted; what cannot be saved is not deleted, and its row says "Not removed"
// (a value, which is deleted without a row, gets one then). At the end of a complete scan the
// user is asked once whether to delete those finds without a backup, and told why they stayed.
//
// Keys and values of the machine are looked up in every view of the registry that 64-bit
// Windows keeps (a row of the other view says which). One the user may read but not change (a
// standard user's, below HKEY_LOCAL_MACHINE) is shown as not removed, and at the end the user is
// told once that removing it takes an administrator.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/registry.h"
#include "platform/system.h"
#include "scan/registrybackup.h"

namespace scan {

class ScanView {
 public:
  virtual ~ScanView() = default;
  // Label2.
  virtual void showPhase(const std::string& caption) = 0;
  // Label1: the line being looked up; fitToLabel: shorten the text to the label's width first.
  virtual void showItem(const std::string& text, bool fitToLabel) = 0;
  // Label7.
  virtual void showItemsScanned(const std::string& text) = 0;
  virtual void pause(uint32_t ms) = 0;
  virtual void processMessages() = 0;
  virtual bool stopRequested() = 0;
  // A file found: its row (caption the path, sub-item its time stamp); Label8 = filesDetected.
  virtual void fileFound(const std::string& path, int32_t filesDetected) = 0;
  // A key found: its row (caption and sub-item as given); Label9 = keysRemoved.
  virtual void keyFound(const std::string& caption, const std::string& state,
                        int32_t keysRemoved) = 0;
  // A row of a registry find (its index among all rows) was removed after all.
  virtual void keyRemovedLater(int32_t row) = 0;
  // Every file and key found: the detection sound, when the preferences have it on.
  virtual void detectionSound() = 0;
  // A list that exists but cannot be read: the error box with this text.
  virtual void listError(const std::string& message) = 0;
  // The end step: Label2 = caption, Label1 = summary, the three buttons enabled or not, and
  // clean (no rows) lets a scan started with AutoClose fade out.
  struct End {
    std::string caption;
    std::string summary;
    bool enableButtons = false;
    bool clean = false;
  };
  virtual void scanComplete(const End& end) = 0;
  // After the end step, when registry finds were kept for want of a backup: the question
  // whether to delete them without one; true for Yes.
  virtual bool confirmDeleteWithoutBackup(const std::string& question) = 0;
  // After the end step: a word to the user, in a box of its own.
  virtual void tell(const std::string& message) = 0;
};

struct ScanSetup {
  platform::Registry& registry;
  platform::Files& files;
  platform::System& system;
  std::string programDir;  // with a trailing backslash: the lists and Quarantined lie there
  std::string windowsDir;  // as the main window shows it, without a trailing backslash
};

// What the scan window keeps of a scan (its members of those names).
struct ScanCounts {
  int32_t ItemsScanned = 0;  // lines scanned over all phases
  int32_t FilesDetected = 0;
  int32_t KeysRemoved = 0;                 // keys found (shown as "Detected:"), removed or not
  int32_t rows = 0;                        // rows of the results list: files and keys found
  std::vector<std::string> DetectedFiles;  // full paths, in the order found
};

inline constexpr uint32_t kLinePauseMs = 10;
inline constexpr const char* kKeyRemoved = "Removed";
inline constexpr const char* kKeyNotRemoved = "Not removed";

class ScanRun {
 public:
  enum class State { Running, Complete, Ended };

  ScanRun(ScanSetup setup, ScanView& view);
  ScanRun(const ScanRun&) = delete;
  ScanRun& operator=(const ScanRun&) = delete;

  // One line (with any phases that have none before it), or the end of the scan.
  State step();
  // Steps until the scan is over.
  State run();

  State state() const { return state_; }
  // True while a step is under way: the run must then neither be destroyed nor replaced.
  bool stepping() const { return stepping_; }
  const ScanCounts& counts() const { return counts_; }
  // The registry backup file of this scan; empty when nothing was deleted.
  const std::string& backupFile() const { return backup_.filePath(); }

 private:
  State advance();
  bool startPhase();
  void processLine(const std::string& line);
  void checkFile(const std::string& line);
  void checkKey(const std::string& line);
  void checkValue(const std::string& line);
  State end(State state);
  // A registry find that its backup could not hold, kept and shown as not removed.
  void keep(platform::RegView view, platform::RegRoot root, const std::string& keyPath,
            const std::optional<std::string>& value, const std::string& caption);
  // A registry find's row, removed or not.
  void found(const std::string& caption, bool removed);
  // The views a key of the root is looked up in: every view for the machine's keys, the
  // program's own for the user's, which are the same in both.
  std::vector<platform::RegView> viewsOf(platform::RegRoot root);
  // What a row of a view adds to its caption: nothing for the program's own, " (32-bit)" for
  // the other.
  std::string inViewText(platform::RegView view);
  // Asks about the kept finds and deletes them when the user says so.
  void offerKept();

  struct Kept {
    int32_t row;
    platform::RegView view;
    platform::RegRoot root;
    std::string keyPath;
    std::optional<std::string> value;  // the value's name; none for the whole key
  };

  ScanSetup setup_;
  ScanView& view_;
  RegistryBackup backup_;
  ScanCounts counts_;
  State state_ = State::Running;
  bool stepping_ = false;
  size_t phase_ = 0;
  bool phaseLoaded_ = false;
  size_t line_ = 0;
  std::vector<std::string> SignatureLines;  // the current phase's list, still scrambled
  std::vector<Kept> kept_;
  std::vector<BackupFailure> keptWhy_;  // each reason once, in the order first met
  int32_t refused_ = 0;                 // finds the user may not change
};

}  // namespace scan
