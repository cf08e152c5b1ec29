#include "platform/inifile.h"

#include "platform/text.h"
#include "platform/textcase.h"

namespace platform {

namespace {

// The section named by a "[name]" line, if the line is one.
std::optional<std::string> sectionName(const std::string& line) {
  const std::string t = trim(line);
  if (t.size() < 2 || t.front() != '[') return std::nullopt;
  const size_t close = t.find(']');
  if (close == std::string::npos) return std::nullopt;
  return trim(t.substr(1, close - 1));
}

bool keyOf(const std::string& line, std::string& key, std::string& value) {
  const size_t eq = line.find('=');
  if (eq == std::string::npos) return false;
  key = trim(line.substr(0, eq));
  value = trim(line.substr(eq + 1));
  return true;
}

}  // namespace

IniText::IniText(const std::string& text) {
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    lines_.push_back(text.substr(start, end - start));
    if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++end;
    start = end + 1;
  }
}

int IniText::findSection(const std::string& section) const {
  for (size_t i = 0; i < lines_.size(); ++i) {
    auto name = sectionName(lines_[i]);
    if (name && platform::equalsAsciiNoCase(*name, section)) return static_cast<int>(i);
  }
  return -1;
}

int IniText::findKey(int s, const std::string& key) const {
  std::string k, v;
  for (size_t i = s + 1; i < lines_.size(); ++i) {
    if (sectionName(lines_[i])) break;
    if (keyOf(lines_[i], k, v) && platform::equalsAsciiNoCase(k, key)) return static_cast<int>(i);
  }
  return -1;
}

int IniText::sectionEnd(int s) const {
  int end = s + 1;
  for (size_t i = s + 1; i < lines_.size(); ++i) {
    if (sectionName(lines_[i])) break;
    if (!trim(lines_[i]).empty()) end = static_cast<int>(i) + 1;
  }
  return end;
}

std::optional<std::string> IniText::get(const std::string& section, const std::string& key) const {
  const int s = findSection(section);
  if (s < 0) return std::nullopt;
  const int k = findKey(s, key);
  if (k < 0) return std::nullopt;
  std::string name, value;
  keyOf(lines_[k], name, value);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return value;
}

void IniText::set(const std::string& section, const std::string& key, const std::string& value) {
  // A line break would start lines of its own: another key, another section.
  const std::string line = key + "=" + value.substr(0, value.find_first_of("\r\n"));
  int s = findSection(section);
  if (s < 0) {
    if (!lines_.empty() && !trim(lines_.back()).empty()) lines_.push_back("");
    lines_.push_back("[" + section + "]");
    lines_.push_back(line);
    return;
  }
  const int k = findKey(s, key);
  if (k >= 0) {
    lines_[k] = line;
    return;
  }
  lines_.insert(lines_.begin() + sectionEnd(s), line);
}

std::string IniText::text() const {
  std::string out;
  for (const std::string& l : lines_) out += l + "\r\n";
  return out;
}

}  // namespace platform
