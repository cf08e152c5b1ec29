// What the scan window's buttons do with the files a scan found: delete them, or move them
// into the quarantine folder. Both walk the list in order, show each file in Label1 and the
// files still in place in Label8, and let the window process its messages after each file.
//
// FilesDetected goes down only for a file that is really gone afterwards (removed, or gone
// since the scan); a file that stays is named as such ("Could not delete ...", "Could not
// quarantine ...") and still counts.
//
// Quarantine gives every copy a name of its own in the folder (the file name and ".qua", with
// a number before ".qua" when that is taken: "x.exe.2.qua") and never replaces a file there.
// The original is deleted only after its copy is complete (the copy has the original's size);
// when the original cannot be deleted the copy is removed again, so a file is either moved or
// left as it was.
//
// Every file is deleted through platform::RealFolder: it goes only where it really lies below
// the Windows directory, so a link under Wine never takes the file it points to with it.
//
// Only one run at a time: a button pressed again while a run goes on (its message processing
// lets the click through) gets AlreadyRunning. Each run works on its own copy of the list, so
// the window may empty DetectedFiles while one goes on, and requestStop() (the window closing)
// ends it after the current file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/realfolder.h"

namespace scan {

class RemovalView {
 public:
  virtual ~RemovalView() = default;
  // Label1.
  virtual void showItem(const std::string& text) = 0;
  // Label8 and the window's FilesDetected.
  virtual void showFilesDetected(int32_t filesDetected) = 0;
  virtual void pause(uint32_t ms) = 0;
  virtual void processMessages() = 0;
  // The quarantine folder cannot take files (it is missing and cannot be made, or refuses a
  // new file): said once a run, whatever the number of files it turns away.
  virtual void cannotWrite(const std::string& folder) = 0;
};

inline constexpr const char* kRemovalComplete = "File removal complete.";
inline constexpr const char* kQuarantineComplete = "Quarantine complete.";

class FileRemoval {
 public:
  enum class Result { Done, Stopped, AlreadyRunning };

  // windowsDir: the folder the found files lie in.
  FileRemoval(platform::Files& files, RemovalView& view, std::string windowsDir);

  bool running() const { return running_; }
  void requestStop() { stop_ = true; }

  Result deleteFiles(std::vector<std::string> detectedFiles, int32_t filesDetected);
  // programDir ends with a backslash; the folder Quarantined beside it is created when missing.
  Result quarantine(std::vector<std::string> detectedFiles, int32_t filesDetected,
                    const std::string& programDir);

 private:
  template <typename Act>
  Result each(const std::vector<std::string>& paths, int32_t filesDetected, Act act);
  bool deleteOne(const std::string& path, const platform::RealFolder& inside);
  bool quarantineOne(const std::string& path, const platform::RealFolder& inside,
                     const std::string& folder);
  void checkFolderTakesFiles(const std::string& folder);

  platform::Files& files_;
  RemovalView& view_;
  const std::string windowsDir_;
  bool running_ = false;
  bool stop_ = false;
  bool toldCannotWrite_ = false;
};

// The copy's path in the quarantine folder: the first free one of "<folder>\<name>.qua",
// "<folder>\<name>.2.qua", ...; empty when none is free.
std::string quarantineTarget(platform::Files& files, const std::string& folder,
                             const std::string& path);

}  // namespace scan
