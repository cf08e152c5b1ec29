#include "cleanup/wildmask.h"

#include <gtest/gtest.h>

namespace {

using cleanup::matchesMask;
using cleanup::MaskError;
using cleanup::WildMask;

TEST(WildMask, StarAndDotStarDifferOnNamesWithoutDot) {
  EXPECT_TRUE(matchesMask("readme", "*"));
  EXPECT_TRUE(matchesMask("a.b.c", "*"));
  EXPECT_FALSE(matchesMask("readme", "*.*"));
  EXPECT_TRUE(matchesMask("a.b.c", "*.*"));
  EXPECT_TRUE(matchesMask(".profile", "*.*"));
  EXPECT_TRUE(matchesMask("trailing.", "*.*"));
  EXPECT_TRUE(matchesMask("", "*"));
  EXPECT_TRUE(matchesMask("", ""));
  EXPECT_FALSE(matchesMask("x", ""));
}

TEST(WildMask, WholeNameMustMatchWithBacktracking) {
  EXPECT_FALSE(matchesMask("a.txt.bak", "*.txt"));
  EXPECT_TRUE(matchesMask("a.bak.txt", "*.txt"));
  EXPECT_TRUE(matchesMask("xaxxb", "*a*b"));
  EXPECT_FALSE(matchesMask("xaxxa", "*a*b"));
  EXPECT_TRUE(matchesMask("abbbc", "a*b*c"));
  EXPECT_TRUE(matchesMask("aaaa", "**a**a"));
  EXPECT_FALSE(matchesMask("notepad.exe.old", "notepad.exe"));
  EXPECT_FALSE(matchesMask("notepad.ex", "notepad.exe"));
}

TEST(WildMask, QuestionMarkTakesExactlyOneCharacter) {
  EXPECT_TRUE(matchesMask("a.txt", "?.txt"));
  EXPECT_FALSE(matchesMask("ab.txt", "?.txt"));
  EXPECT_FALSE(matchesMask(".txt", "?.txt"));
  EXPECT_TRUE(matchesMask("ab", "*?"));
  EXPECT_FALSE(matchesMask("", "*?"));
}

TEST(WildMask, LetterCaseDoesNotCountAnsiLettersIncluded) {
  EXPECT_TRUE(matchesMask("readme.txt", "README.TXT"));
  EXPECT_TRUE(matchesMask("NOTEPAD.EXE", "notepad.exe"));
  EXPECT_TRUE(matchesMask("\xE9" "cole", "\xC9*"));  // é against É
  EXPECT_FALSE(matchesMask("[x]", "?x?x"));
}

TEST(WildMask, SetsRangesAndNegation) {
  EXPECT_TRUE(matchesMask("b1", "[a-c]*"));
  EXPECT_TRUE(matchesMask("B1", "[a-c]*"));
  EXPECT_FALSE(matchesMask("d1", "[a-c]*"));
  EXPECT_TRUE(matchesMask("d1", "[!a-c]*"));
  EXPECT_FALSE(matchesMask("A1", "[!a-c]*"));
  EXPECT_TRUE(matchesMask("x7", "[xyz][0-9]"));
  EXPECT_FALSE(matchesMask("x77", "[xyz][0-9]"));
  EXPECT_TRUE(matchesMask("5", "[a-c0-9]"));
  EXPECT_TRUE(matchesMask("-", "[-x]"));
  EXPECT_TRUE(matchesMask("*", "[*]"));
  EXPECT_FALSE(matchesMask("a", "[*]"));
  EXPECT_TRUE(matchesMask("]", "]"));
  EXPECT_FALSE(matchesMask("", "[!a]"));
}

TEST(WildMask, MalformedMasksNameTheirPlace) {
  struct Case {
    const char* mask;
    const char* message;
  } cases[] = {
      {"[", "'[' is an invalid mask at (2)"},
      {"ab[cd", "'ab[cd' is an invalid mask at (6)"},
      {"[]", "'[]' is an invalid mask at (2)"},
      {"[!]", "'[!]' is an invalid mask at (3)"},
      {"[a-]", "'[a-]' is an invalid mask at (4)"},
      {"[a-", "'[a-' is an invalid mask at (4)"},
      {"x[z-a]", "'x[z-a]' is an invalid mask at (5)"},
  };
  for (const auto& c : cases) {
    WildMask mask(c.mask);
    EXPECT_FALSE(mask.valid()) << c.mask;
    try {
      mask.matches("anything");
      ADD_FAILURE() << c.mask << " matched without an error";
    } catch (const MaskError& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
  }
}

}  // namespace
