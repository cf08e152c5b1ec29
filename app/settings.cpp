#include "app/settings.h"

#include "app/inifile.h"
#include "app/text.h"

namespace app {

std::string Settings::readString(const std::string& section, const std::string& key, const std::string& def) {
  auto content = files_.readFile(path_, kMaxSize);
  if (!content) return def;
  auto value = IniText(*content).get(section, key);
  return value ? *value : def;
}

int32_t Settings::readInteger(const std::string& section, const std::string& key, int32_t def) {
  auto value = parseInteger(readString(section, key, {}));
  return value ? *value : def;
}

bool Settings::readBool(const std::string& section, const std::string& key, bool def) {
  return readInteger(section, key, def ? 1 : 0) != 0;
}

void Settings::writeString(const std::string& section, const std::string& key, const std::string& value) {
  std::string current;
  if (files_.attributes(path_)) {
    auto content = files_.readFile(path_, kMaxSize);
    // An existing file that cannot be read back would lose its other keys if rewritten.
    if (!content) throw SettingsWriteError(path_);
    current = std::move(*content);
  }
  IniText ini(current);
  ini.set(section, key, value);
  if (!files_.writeFile(path_, ini.text())) throw SettingsWriteError(path_);
}

void Settings::writeInteger(const std::string& section, const std::string& key, int32_t value) {
  writeString(section, key, std::to_string(value));
}

void Settings::writeBool(const std::string& section, const std::string& key, bool value) {
  writeString(section, key, value ? "1" : "0");
}

}  // namespace app
