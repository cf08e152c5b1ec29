// The settings file as a user may have left it, and one setting written into it: the value reads
// back, every other section, key and line stays as it was, and the file reads the same again.
// Input: a section byte, a key byte, the value up to the first zero byte, then the file's text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "platform/inifile.h"
#include "platform/text.h"
#include "platform/textcase.h"

namespace {

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') {
      line += text[i];
      continue;
    }
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    lines.push_back(std::move(line));
    line.clear();
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

// Every section and key name the text may hold, looked for loosely: a name that is none is
// simply not found, before and after.
std::vector<std::pair<std::string, std::string>> probes(const std::vector<std::string>& lines) {
  std::vector<std::string> sections{"System"}, keys{"User"};
  for (const std::string& l : lines) {
    const std::string t = platform::trim(l);
    if (!t.empty() && t[0] == '[' && t.find(']') != std::string::npos)
      sections.push_back(platform::trim(t.substr(1, t.find(']') - 1)));
    else if (l.find('=') != std::string::npos)
      keys.push_back(platform::trim(l.substr(0, l.find('='))));
  }
  std::vector<std::pair<std::string, std::string>> out;
  for (const auto& s : sections)
    for (const auto& k : keys) out.emplace_back(s, k);
  return out;
}

bool same(const std::string& a, const std::string& b) {
  return platform::equalsAsciiNoCase(platform::trim(a), platform::trim(b));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  static const char* const kSections[] = {"System", "Rotator", "Monitor", "SYSTEM"};
  static const char* const kKeys[] = {"User", "Loop", "News", "user"};
  const std::string section = kSections[data[0] % 4], key = kKeys[data[1] % 4];
  const std::string rest(reinterpret_cast<const char*>(data) + 2, size - 2);
  const size_t zero = rest.find('\0');
  const std::string value = rest.substr(0, zero);
  const std::string text = zero == std::string::npos ? std::string() : rest.substr(zero + 1);
  if (text.size() > 4096 || value.size() > 256) return 0;

  const std::vector<std::string> before = linesOf(text);
  const auto asked = probes(before);
  const platform::IniText original(text);
  platform::IniText ini(text);
  ini.set(section, key, value);
  const std::string written = ini.text();
  const platform::IniText reread(written);

  // The value reads back as far as a line can hold it: up to its first line break.
  const std::string stored = value.substr(0, value.find_first_of("\r\n"));
  const std::string trimmed = platform::trim(stored);
  const bool quoted = trimmed.size() >= 2 && (trimmed[0] == '"' || trimmed[0] == '\'') &&
                      trimmed.back() == trimmed[0];
  if (!quoted && reread.get(section, key) != trimmed) std::abort();

  for (const auto& [s, k] : asked) {
    if (same(s, section) && same(k, key)) continue;
    if (reread.get(s, k) != original.get(s, k)) std::abort();
  }

  // The old lines in their order, less at most the one that held the value: all but one of them
  // lie before or after the written part.
  const std::vector<std::string> after = linesOf(written);
  size_t head = 0, tail = 0;
  while (head < before.size() && head < after.size() && before[head] == after[head]) ++head;
  while (tail < before.size() - head && tail < after.size() - head &&
         before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
    ++tail;
  if (before.size() - head - tail > 1) std::abort();
  return 0;
}
