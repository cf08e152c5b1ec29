#include "app/settings.h"

#include "platform/inifile.h"
#include "platform/text.h"

namespace app {

namespace {

// What the profile functions' rewrite in place refuses, and what it keeps.
constexpr uint32_t kRefusingAttributes = platform::kAttrReadOnly | platform::kAttrDirectory;
constexpr uint32_t kKeptAttributes = platform::kAttrHidden | platform::kAttrSystem;

// Beside the file, and no longer a path than its own, so that whatever fits MAX_PATH still does.
std::string newTextPath(const std::string& path) {
  const size_t name = path.find_last_of("\\/") + 1;
  const size_t dot = path.find_last_of('.');
  const bool hasExtension = dot != std::string::npos && dot >= name;
  return (hasExtension ? path.substr(0, dot) : path) + ".tmp";
}

// Puts text in place of the file at path, carrying the given attributes, or leaves the file as
// it was.
bool replaceFile(platform::Files& files, const std::string& path, const std::string& text,
                 uint32_t attributes) {
  const std::string newText = newTextPath(path);
  // A file left by a write that was cut short goes first: Windows creates no file over a
  // hidden one and deletes no read-only one.
  auto discard = [&] {
    files.setAttributes(newText, platform::kAttrNormal);
    files.deleteFile(newText);
  };
  discard();
  const bool replaced = files.writeFile(newText, text) &&
                        files.setAttributes(newText, attributes | platform::kAttrArchive) &&
                        files.moveFile(newText, path);
  if (!replaced) discard();
  return replaced;
}

}  // namespace

std::string Settings::readString(const std::string& section, const std::string& key, const std::string& def) {
  auto content = files_.readFile(path_, kMaxSize);
  if (!content) return def;
  auto value = platform::IniText(*content).get(section, key);
  return value ? *value : def;
}

int32_t Settings::readInteger(const std::string& section, const std::string& key, int32_t def) {
  auto value = platform::parseInteger(readString(section, key, {}));
  return value ? *value : def;
}

bool Settings::readBool(const std::string& section, const std::string& key, bool def) {
  return readInteger(section, key, def ? 1 : 0) != 0;
}

void Settings::writeString(const std::string& section, const std::string& key, const std::string& value) {
  std::string current;
  uint32_t kept = 0;
  if (auto attributes = files_.attributes(path_)) {
    if (*attributes & kRefusingAttributes) refused();
    auto content = files_.readFile(path_, kMaxSize);
    // An existing file that cannot be read back would lose its other keys if rewritten.
    if (!content) refused();
    current = std::move(*content);
    kept = *attributes & kKeptAttributes;
  }
  platform::IniText ini(current);
  ini.set(section, key, value);
  if (!replaceFile(files_, path_, ini.text(), kept)) refused();
}

void Settings::refused() {
  if (refused_) refused_(path_);
  throw SettingsWriteError(path_);
}

void Settings::writeInteger(const std::string& section, const std::string& key, int32_t value) {
  writeString(section, key, std::to_string(value));
}

void Settings::writeBool(const std::string& section, const std::string& key, bool value) {
  writeString(section, key, value ? "1" : "0");
}

}  // namespace app
