// The forum's cookie in the text of an Internet Explorer cookie file, of a Firefox
// cookies.txt, and Firefox's profiles.ini, including what other programs may leave there.
#include <gtest/gtest.h>

#include <string>

#include "online/cookiereaders.h"
#include "online/profilesini.h"

namespace {

using online::CookieFind;

constexpr const char* kHost = "community.orvanta.example";

CookieFind ie(const std::string& text) { return online::readIeCookies(text, nullptr); }
CookieFind firefox(const std::string& text) {
  return online::readFirefoxCookies(text, kHost, nullptr);
}
std::string cookieLine(const std::string& host, const std::string& name, const std::string& value) {
  return host + "\tFALSE\t/\tFALSE\t1893456000\t" + name + "\t" + value + "\n";
}

void expectFind(const CookieFind& got, int32_t id, bool invalid) {
  EXPECT_EQ(got.memberId, id);
  EXPECT_EQ(got.invalidCode, invalid);
}

TEST(MemberId, OnlyAPlainDecimalNumberFrom1To2147483647IsAMember) {
  EXPECT_EQ(online::parseMemberId("1234"), 1234);
  EXPECT_EQ(online::parseMemberId("+7"), 7);
  EXPECT_EQ(online::parseMemberId("007"), 7);
  EXPECT_EQ(online::parseMemberId("2147483647"), 2147483647);
  for (const char* bad : {"2147483648", "999999999999999999999999999999", "-5", "0", "-0", "", "+",
                          " 12", "12 ", "12a", "0x1A", "1 2"})
    EXPECT_EQ(online::parseMemberId(bad), std::nullopt) << bad;
}

TEST(IeCookies, TheKeyLineInAnyCaseIsFollowedByTheValue) {
  expectFind(ie("bbsessionhash\nabc\nBBUSERID\n1234\nexample.org/\n"), 1234, false);
  expectFind(ie("bbuserid\r\n77\r\n"), 77, false);
  expectFind(ie("bbuserid\r88"), 88, false);
  // A key on the last line has no value; a key with blanks is no key.
  expectFind(ie("x\nbbuserid"), 0, false);
  expectFind(ie("x\nbbuserid\n"), 0, false);
  expectFind(ie(" bbuserid\n5\nbbuserid \n6\n"), 0, false);
}

TEST(IeCookies, AnInvalidValueIsNotedAndTheWalkGoesOnAfterTheKey) {
  expectFind(ie("bbuserid\n12a\nbbuserid\n42\n"), 42, true);
  // The value line is itself looked at as a key.
  expectFind(ie("bbuserid\nbbuserid\n42\n"), 42, true);
  expectFind(ie("bbuserid\n-3\nbbuserid\n0\n"), 0, true);
  expectFind(ie("bbuserid\n99999999999999999999999999999\n"), 0, true);
}

TEST(IeCookies, TheHookRunsAfterEachLineUpToTheFind) {
  int lines = 0;
  const auto count = [&] { ++lines; };
  online::readIeCookies("a\nb\nbbuserid\n5\nc\n", count);
  EXPECT_EQ(lines, 2);
  lines = 0;
  online::readIeCookies("a\r\nb\r\n\r\nc", count);
  EXPECT_EQ(lines, 4);
}

TEST(FirefoxCookies, OnlyTheHostsOwnLineGivesTheMemberId) {
  expectFind(
      firefox(cookieLine("other.example", "bbuserid", "1") + cookieLine(kHost, "bbuserid", "4711")),
      4711, false);
  // The host field is compared in any letter case, the value may end in CR LF.
  expectFind(firefox("COMMUNITY.Orvanta.example\tFALSE\t/\tFALSE\t0\tBBUserID\t12\r\n"), 12, false);
  // The domain form with a leading dot, and hosts that merely begin with the host's name,
  // belong to other cookies.
  expectFind(firefox(cookieLine(".community.orvanta.example", "bbuserid", "5")), 0, false);
  expectFind(firefox(cookieLine("community.orvanta.example.attacker.example", "bbuserid", "5")), 0,
             false);
  expectFind(firefox(cookieLine("community.orvanta.examples", "bbuserid", "5")), 0, false);
  expectFind(online::readFirefoxCookies(cookieLine(kHost, "bbuserid", "5"), "", nullptr), 0, false);
}

TEST(FirefoxCookies, TheFirstHostLineWithTheKeyEndsTheWalk) {
  const std::string later = cookieLine(kHost, "bbuserid", "9");
  expectFind(firefox(cookieLine(kHost, "bbsessionhash", "x") +
                     cookieLine(kHost, "bbuserid", "12a") + later),
             0, true);
  // The key with nothing after its separator ends the walk without a value.
  expectFind(firefox(std::string(kHost) + "\tFALSE\t/\tFALSE\t0\tbbuserid\t\n" + later), 0, false);
  expectFind(firefox(cookieLine(kHost, "bbuserid", "999999999999999999999999999999") + later), 0,
             true);
  int lines = 0;
  online::readFirefoxCookies("# Netscape HTTP Cookie File\n\n" + later + later, kHost,
                             [&] { ++lines; });
  EXPECT_EQ(lines, 2);
}

TEST(CookieReaders, HostileTextsGiveNoMemberAndEndQuickly) {
  // One 10 MB line, seen through different openings.
  const std::string host = std::string(kHost) + "\tFALSE\t/\tFALSE\t0\tbbuserid\t";
  std::string buffer = "bbuserid\n" + host + std::string(10u << 20, '7');
  const std::string_view all(buffer), afterKey = all.substr(9),
                                      digits = afterKey.substr(host.size());
  expectFind(online::readIeCookies(digits, nullptr), 0, false);
  expectFind(online::readIeCookies(all, nullptr), 0, true);
  expectFind(online::readFirefoxCookies(afterKey, kHost, nullptr), 0, true);
  buffer[buffer.size() / 2] = 'x';
  expectFind(online::readFirefoxCookies(afterKey, kHost, nullptr), 0, true);

  std::string binary;
  for (int i = 0; i < 1 << 16; ++i) binary += static_cast<char>(i * 131 % 256);
  const std::string zeroInside = std::string("bbuserid\n12") + '\0' + "3\n";
  expectFind(ie(binary + "\n" + zeroInside), 0, true);
  expectFind(firefox(binary), 0, false);
}

TEST(ProfilesIni, Profile0sPathAsTheProfileFunctionsReadIt) {
  const std::string firefoxIni =
      "[General]\r\nStartWithLastProfile=1\r\nPath=elsewhere\r\n\r\n"
      "[Profile0]\r\nName=default\r\nIsRelative=1\r\nPath=Profiles/k2x9.default\r\n";
  EXPECT_EQ(online::readProfilePath(firefoxIni), "Profiles/k2x9.default");
  EXPECT_EQ(online::readProfilePath(" [ profile0 ] \n  PATH =  \"a b\"  \n"), "a b");
  EXPECT_EQ(online::readProfilePath("[Profile0]\nPath=\n"), "");
  // The first section and key of a name are the ones read.
  EXPECT_EQ(online::readProfilePath("[Profile0]\nPath=one\npath=two\n[Profile0]\nPath=three"),
            "one");
  EXPECT_EQ(online::readProfilePath("[Profile0]\nName=x\n[Profile0]\nPath=three"), std::nullopt);
  EXPECT_EQ(online::readProfilePath("[Profile1]\nPath=p1\n"), std::nullopt);
  EXPECT_EQ(online::readProfilePath("Path=top\n[Profile0\nPath=x"), std::nullopt);
  EXPECT_EQ(online::readProfilePath(""), std::nullopt);
}

TEST(ProfilesIni, OnlyAFolderBelowTheFirefoxFolderIsAProfile) {
  for (const char* good : {"Profiles/k2x9.default", "Profiles\\a.b", "x", "./x", "a..b\\c."})
    EXPECT_TRUE(online::isProfileFolder(good)) << good;
  for (const char* bad :
       {"", "..", "..\\..\\secret", "Profiles/../../x", "Profiles\\..", "a\\...\\b", "a/. ./b",
        "C:\\Users\\x", "C:x", "\\\\server\\share", "\\x", "/x"})
    EXPECT_FALSE(online::isProfileFolder(bad)) << bad;
  EXPECT_TRUE(online::isProfileFolder(std::string(259, 'p')));
  EXPECT_FALSE(online::isProfileFolder(std::string(260, 'p')));
}

}  // namespace
