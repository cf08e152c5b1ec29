// The text of an INI file with the lookup and update rules of the Windows profile functions:
// section and key names without regard to case, blanks around names and values ignored, a
// value in matching quotes read without them, the first of duplicate sections or keys wins.
// An update changes only the line it must, or adds one, and keeps every other line (comments,
// unknown keys, their order) as it was.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform {

class IniText {
 public:
  explicit IniText(const std::string& text = {});
  std::optional<std::string> get(const std::string& section, const std::string& key) const;
  // A value is kept up to its first line break, which a line cannot hold.
  void set(const std::string& section, const std::string& key, const std::string& value);
  // The file's text, lines ended by CR LF.
  std::string text() const;

 private:
  std::vector<std::string> lines_;
  // Index of the first "[section]" line, or -1.
  int findSection(const std::string& section) const;
  // Index of the key's line inside the section starting at line s, or -1.
  int findKey(int s, const std::string& key) const;
  // Index just past the section's last non-blank line.
  int sectionEnd(int s) const;
};

}  // namespace platform
