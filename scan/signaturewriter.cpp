#include "scan/signaturewriter.h"

#include <cstdio>

#include "scan/scramble.h"
#include "scan/signatures.h"

namespace scan {

namespace {

std::string hexByte(unsigned char b) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%02X", b);
  return text;
}

}  // namespace

std::optional<std::string> signatureLineProblem(std::string_view plain) {
  if (plain.empty()) return "is empty";
  if (plain.size() > kMaxSignatureLine)
    return "is longer than " + std::to_string(kMaxSignatureLine) + " characters";
  for (char c : plain) {
    const auto b = static_cast<unsigned char>(c);
    // Stored as the key byte, which the scan reads as the end of the line.
    if (b == 0x00) return "holds the byte 0x00, which would end the line there";
    const auto stored = static_cast<unsigned char>(b ^ kScrambleKey);
    if (stored == 0x00 || stored == 0x0A || stored == 0x0D)
      return "holds the byte " + hexByte(b) + ", which would be stored as " + hexByte(stored);
  }
  return std::nullopt;
}

std::string encodeSignatureList(const std::vector<std::string>& plainLines) {
  std::string bytes;
  for (const auto& line : plainLines) bytes += scrambleText(line) + "\r\n";
  return bytes;
}

}  // namespace scan
