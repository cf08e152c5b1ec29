#include "cleanup/wildmask.h"

#include <gtest/gtest.h>

namespace {

using cleanup::MatchesMask;
using cleanup::MaskError;
using cleanup::WildMask;

TEST(WildMask, StarAndDotStarDifferOnNamesWithoutDot) {
  EXPECT_TRUE(MatchesMask("readme", "*"));
  EXPECT_TRUE(MatchesMask("a.b.c", "*"));
  EXPECT_FALSE(MatchesMask("readme", "*.*"));
  EXPECT_TRUE(MatchesMask("a.b.c", "*.*"));
  EXPECT_TRUE(MatchesMask(".profile", "*.*"));
  EXPECT_TRUE(MatchesMask("trailing.", "*.*"));
  EXPECT_TRUE(MatchesMask("", "*"));
  EXPECT_TRUE(MatchesMask("", ""));
  EXPECT_FALSE(MatchesMask("x", ""));
}

TEST(WildMask, WholeNameMustMatchWithBacktracking) {
  EXPECT_FALSE(MatchesMask("a.txt.bak", "*.txt"));
  EXPECT_TRUE(MatchesMask("a.bak.txt", "*.txt"));
  EXPECT_TRUE(MatchesMask("xaxxb", "*a*b"));
  EXPECT_FALSE(MatchesMask("xaxxa", "*a*b"));
  EXPECT_TRUE(MatchesMask("abbbc", "a*b*c"));
  EXPECT_TRUE(MatchesMask("aaaa", "**a**a"));
  EXPECT_FALSE(MatchesMask("notepad.exe.old", "notepad.exe"));
  EXPECT_FALSE(MatchesMask("notepad.ex", "notepad.exe"));
}

TEST(WildMask, QuestionMarkTakesExactlyOneCharacter) {
  EXPECT_TRUE(MatchesMask("a.txt", "?.txt"));
  EXPECT_FALSE(MatchesMask("ab.txt", "?.txt"));
  EXPECT_FALSE(MatchesMask(".txt", "?.txt"));
  EXPECT_TRUE(MatchesMask("ab", "*?"));
  EXPECT_FALSE(MatchesMask("", "*?"));
}

TEST(WildMask, LetterCaseDoesNotCountAnsiLettersIncluded) {
  EXPECT_TRUE(MatchesMask("readme.txt", "README.TXT"));
  EXPECT_TRUE(MatchesMask("NOTEPAD.EXE", "notepad.exe"));
  EXPECT_TRUE(MatchesMask("\xE9" "cole", "\xC9*"));  // é against É
  EXPECT_FALSE(MatchesMask("[x]", "?x?x"));
}

TEST(WildMask, SetsRangesAndNegation) {
  EXPECT_TRUE(MatchesMask("b1", "[a-c]*"));
  EXPECT_TRUE(MatchesMask("B1", "[a-c]*"));
  EXPECT_FALSE(MatchesMask("d1", "[a-c]*"));
  EXPECT_TRUE(MatchesMask("d1", "[!a-c]*"));
  EXPECT_FALSE(MatchesMask("A1", "[!a-c]*"));
  EXPECT_TRUE(MatchesMask("x7", "[xyz][0-9]"));
  EXPECT_FALSE(MatchesMask("x77", "[xyz][0-9]"));
  EXPECT_TRUE(MatchesMask("5", "[a-c0-9]"));
  EXPECT_TRUE(MatchesMask("-", "[-x]"));
  EXPECT_TRUE(MatchesMask("*", "[*]"));
  EXPECT_FALSE(MatchesMask("a", "[*]"));
  EXPECT_TRUE(MatchesMask("]", "]"));
  EXPECT_FALSE(MatchesMask("", "[!a]"));
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
