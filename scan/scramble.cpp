#include "scan/scramble.h"

namespace scan {

std::string UnscrambleText(std::string_view stored) {
  std::string plain;
  plain.reserve(stored.size());
  for (char c : stored) {
    const char p = static_cast<char>(static_cast<unsigned char>(c) ^ kScrambleKey);
    if (p == '\0') break;
    plain += p;
  }
  return plain;
}

std::string scrambleText(std::string_view plain) {
  std::string stored(plain);
  for (char& c : stored) c = static_cast<char>(static_cast<unsigned char>(c) ^ kScrambleKey);
  return stored;
}

}  // namespace scan
