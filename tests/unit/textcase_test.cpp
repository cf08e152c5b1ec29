// The two letter cases: ASCII for tokens and keys, Windows-1252 for file names. Neither may
// depend on the C locale, and each fakes' order rests on exactly one of them.
#include "platform/textcase.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

using platform::ansiLower;
using platform::asciiLower;
using platform::asciiUpper;

char ch(int byte) { return static_cast<char>(byte); }

TEST(AsciiCase, FoldsTheTwentySixLettersAndNothingElse) {
  for (int b = 0; b < 256; ++b) {
    const bool capital = b >= 'A' && b <= 'Z', small = b >= 'a' && b <= 'z';
    EXPECT_EQ(asciiLower(ch(b)), capital ? ch(b + 32) : ch(b)) << b;
    EXPECT_EQ(asciiUpper(ch(b)), small ? ch(b - 32) : ch(b)) << b;
  }
  EXPECT_EQ(asciiLower(std::string("Content-LENGTH: \xC9")), "content-length: \xC9");
  EXPECT_EQ(asciiUpper(std::string("ab_[z]\xE9")), "AB_[Z]\xE9");
}

TEST(AsciiCase, EqualityAndOrderIgnoreOnlyAsciiCase) {
  EXPECT_TRUE(platform::equalsAsciiNoCase("Set-Cookie:", "set-COOKIE:"));
  EXPECT_FALSE(platform::equalsAsciiNoCase("\xC9t\xE9", "\xE9t\xE9"));
  EXPECT_FALSE(platform::equalsAsciiNoCase("abc", "ab"));
  EXPECT_TRUE(platform::equalsAsciiNoCase("", ""));

  // Letters compare as small letters: "_" (0x5F) sorts before "B", a prefix first, and the
  // bytes above 0x7F after every ASCII one.
  const std::map<std::string, int, platform::AsciiNoCaseLess> names{
      {"b", 1}, {"_x", 2}, {"AB", 3}, {"a", 4}, {"\xE9", 5}, {"Z", 6}};
  std::string order;
  for (const auto& [name, n] : names) order += std::to_string(n);
  EXPECT_EQ(order, "243165");
  EXPECT_EQ(names.count("B"), 1u);
}

TEST(AnsiCase, FoldsEveryCapitalOfTheCodePageOntoItsSmallLetter) {
  EXPECT_EQ(ansiLower(std::string("\xC9-COLE \xC0 \x8A\x8C\x8E\x9F")),
            "\xE9-cole \xE0 \x9A\x9C\x9E\xFF");
  // Not letters, or letters without a capital: the multiplication and division signs, sharp s.
  for (int b : {0xD7, 0xF7, 0xDF, 0x83, 0xAA, 0xB5, 0xBA}) EXPECT_EQ(ansiLower(ch(b)), ch(b)) << b;
  // Folding twice changes nothing, and no small letter is taken for another.
  std::map<char, int> sources;
  for (int b = 0; b < 256; ++b) {
    EXPECT_EQ(ansiLower(ansiLower(ch(b))), ansiLower(ch(b))) << b;
    ++sources[ansiLower(ch(b))];
  }
  for (const auto& [folded, count] : sources)
    EXPECT_LE(count, 2) << static_cast<int>(static_cast<unsigned char>(folded));
  EXPECT_EQ(sources.size(), 256u - 26 - 30 - 4);
}

}  // namespace
