#include "scan/regedittext.h"

#include <cstdio>

namespace scan {
namespace {

// Where the line is cut after a comma, as regedit cuts its own hex lines.
constexpr size_t kHexLineLimit = 77;

std::string quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out + "\"";
}

std::string hexData(const std::string& prefix, const std::string& bytes, size_t lineLength) {
  static const char kDigits[] = "0123456789abcdef";
  std::string out = prefix;
  lineLength += prefix.size();
  for (size_t i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    out += kDigits[b >> 4];
    out += kDigits[b & 0xF];
    if (i + 1 == bytes.size()) break;
    out += ',';
    lineLength += 3;
    if (lineLength >= kHexLineLimit) {
      out += "\\\r\n  ";
      lineLength = 2;
    }
  }
  return out;
}

std::string hexPrefix(uint32_t type) {
  if (type == platform::kRegBinary) return "hex:";
  char text[24];
  std::snprintf(text, sizeof text, "hex(%x):", static_cast<unsigned>(type));
  return text;
}

std::string data(const platform::RegValue& value, size_t lineLength) {
  const std::string& bytes = value.data;
  switch (value.type) {
    case platform::kRegSz:
      if (bytes.find_first_of(std::string("\r\n\0", 3)) == std::string::npos) return quoted(bytes);
      return hexData(hexPrefix(value.type), bytes + '\0', lineLength);
    case platform::kRegExpandSz:
      return hexData(hexPrefix(value.type), bytes + '\0', lineLength);
    case platform::kRegDword:
      if (bytes.size() == 4) {
        uint32_t number = 0;
        for (int i = 3; i >= 0; --i) number = number << 8 | static_cast<unsigned char>(bytes[i]);
        char text[24];
        std::snprintf(text, sizeof text, "dword:%08x", static_cast<unsigned>(number));
        return text;
      }
      break;
  }
  return hexData(hexPrefix(value.type), bytes, lineLength);
}

}  // namespace

bool regeditCanName(const std::string& name) {
  return name.find_first_of(std::string("\r\n\0", 3)) == std::string::npos;
}

std::string regeditKeyLine(platform::RegRoot root, const std::string& path) {
  return std::string("\r\n[") + platform::rootName(root) + "\\" + path + "]\r\n";
}

std::string regeditValueLines(const std::string& name, const platform::RegValue& value) {
  const std::string named = (name.empty() ? std::string("@") : quoted(name)) + "=";
  return named + data(value, named.size()) + "\r\n";
}

std::string regeditLinkNote(platform::RegRoot root, const std::string& path,
                            const std::string& target) {
  std::string shown = target;
  for (char& c : shown)
    if (c == '\r' || c == '\n' || c == '\0') c = ' ';
  return "\r\n; [" + std::string(platform::rootName(root)) + "\\" + path +
         "] was a registry link to " + shown + "\r\n";
}

}  // namespace scan
