// The settings file qexsys.ini beside the program. Every access reads the file afresh and
// every write puts it back at once, as the profile functions do, so nothing is cached between
// handlers. A missing or unreadable file reads as the caller's defaults.
//
// A write never cuts the file down in place: the new text goes to a file beside it that then
// takes its place in one move, so a write that stops half way (a full disk, a power cut)
// leaves every old setting as it was. A hidden or system file stays so; a read-only one
// refuses the write, as the profile functions' own rewrite in place does.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

#include "platform/files.h"
#include "ui/application.h"

namespace app {

// "Unable to write to <path>": the write was refused, and the user told so by the settings'
// reporter; the caller's handler stops there.
class SettingsWriteError : public ui::ToldError {
 public:
  explicit SettingsWriteError(const std::string& path) : ui::ToldError("Unable to write to " + path) {}
};

class Settings {
 public:
  // Files larger than this are not settings files; they read as defaults and refuse writes,
  // so that a stray large file is never cut down to a few keys.
  static constexpr uint64_t kMaxSize = 4 * 1024 * 1024;

  // refused: tells the user that the file could not be written, before the write throws.
  Settings(platform::Files& files, std::string path, std::function<void(const std::string&)> refused)
      : files_(files), path_(std::move(path)), refused_(std::move(refused)) {}
  const std::string& path() const { return path_; }

  std::string readString(const std::string& section, const std::string& key, const std::string& def);
  int32_t readInteger(const std::string& section, const std::string& key, int32_t def);
  // Any integer other than 0 is true; a value that is not an integer reads as the default.
  bool readBool(const std::string& section, const std::string& key, bool def);

  void writeString(const std::string& section, const std::string& key, const std::string& value);
  void writeInteger(const std::string& section, const std::string& key, int32_t value);
  void writeBool(const std::string& section, const std::string& key, bool value);

 private:
  [[noreturn]] void refused();

  platform::Files& files_;
  std::string path_;
  std::function<void(const std::string&)> refused_;
};

}  // namespace app
