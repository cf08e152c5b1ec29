#include "platform/command_line.h"

#include <gtest/gtest.h>

namespace {

using platform::splitCommandLine;
using Args = std::vector<std::string>;

TEST(CommandLine, ProgramNameEndsAtABlankOrItsClosingQuote) {
  EXPECT_EQ(splitCommandLine("qexsys.exe -monitor"), (Args{"qexsys.exe", "-monitor"}));
  EXPECT_EQ(splitCommandLine("\"C:\\Program Files\\Q\\qexsys.exe\" -scan"),
            (Args{"C:\\Program Files\\Q\\qexsys.exe", "-scan"}));
  // No escapes in the program name, and the text after its closing quote is an argument.
  EXPECT_EQ(splitCommandLine("\"C:\\dir\\\"x y"), (Args{"C:\\dir\\", "x", "y"}));
  EXPECT_EQ(splitCommandLine(""), (Args{""}));
  EXPECT_EQ(splitCommandLine("\"unclosed name"), (Args{"unclosed name"}));
}

TEST(CommandLine, BlanksAndTabsSeparateAndQuotesGroup) {
  EXPECT_EQ(splitCommandLine("p  a\t\tb   "), (Args{"p", "a", "b"}));
  EXPECT_EQ(splitCommandLine("p \"a b\" c\"d e\"f"), (Args{"p", "a b", "cd ef"}));
  EXPECT_EQ(splitCommandLine("p \"\" x"), (Args{"p", "", "x"}));
  EXPECT_EQ(splitCommandLine("p \"open to the end"), (Args{"p", "open to the end"}));
}

TEST(CommandLine, BackslashesEscapeOnlyBeforeAQuote) {
  EXPECT_EQ(splitCommandLine("p C:\\dir\\ a\\\\b"), (Args{"p", "C:\\dir\\", "a\\\\b"}));
  EXPECT_EQ(splitCommandLine("p a\\\"b"), (Args{"p", "a\"b"}));            // 1 + quote
  EXPECT_EQ(splitCommandLine("p a\\\\\"b c\""), (Args{"p", "a\\b c"}));     // 2 + quote
  EXPECT_EQ(splitCommandLine("p a\\\\\\\"b"), (Args{"p", "a\\\"b"}));       // 3 + quote
  EXPECT_EQ(splitCommandLine("p \"C:\\dir\\\\\""), (Args{"p", "C:\\dir\\"}));
  EXPECT_EQ(splitCommandLine("p trailing\\"), (Args{"p", "trailing\\"}));
}

TEST(CommandLine, TwoQuotesInsideQuotesGiveOneAndEndTheQuotedPart) {
  EXPECT_EQ(splitCommandLine("p \"a\"\"b c\""), (Args{"p", "a\"b", "c"}));
  EXPECT_EQ(splitCommandLine("p \"say \"\"hi\"\"\""), (Args{"p", "say \"hi\""}));
}

}  // namespace
