// What the program sends to the community server and what it takes as its answer.
#include "online/community.h"

#include <gtest/gtest.h>

namespace {

namespace community = online::community;

TEST(Community, AddressesJoinTheConfiguredHostAndThePath) {
  EXPECT_EQ(community::address("127.0.0.1:18080", community::kForum),
            "http://127.0.0.1:18080/forum/");
  EXPECT_EQ(community::newThreadPath(community::kWindowsSupport.forum),
            "/forum/newthread.php?do=newthread&f=23");
  EXPECT_EQ(community::logoutPath(4711), "/forum/login.php?do=logout&u=4711");
  // Whatever the name and password hold, they stay two values of the query.
  EXPECT_EQ(community::loginTarget("Jo Ann", "a&b=c#d+e"),
            "/forum/instant.php?do=login&username=Jo%20Ann&password=a%26b%3Dc%23d%2Be");
  EXPECT_EQ(community::loginTarget("J\xf6rg_1.x~-", "%"),
            "/forum/instant.php?do=login&username=J%F6rg_1.x~-&password=%25");
}

TEST(Community, TheLoginIsAcceptedOnlyWhenTheLastFieldReadsTrue) {
  for (const char* yes : {"login:true", "login:TRUE", "a:b:True", ":true"})
    EXPECT_TRUE(community::loginAccepted(yes)) << yes;
  for (const char* no : {"true", "login:false", "login:true\r\n", "login: true", "login:", ""})
    EXPECT_FALSE(community::loginAccepted(no)) << no;
  EXPECT_EQ(community::loginAnswer("no colon here"), "");
  EXPECT_EQ(community::loginAnswer("x:y:z"), "z");
}

TEST(Community, CookiesAreKeptUnderTheHostNameAloneInLowerCase) {
  EXPECT_EQ(community::cookieHost("Community.Orvanta.EXAMPLE"), "community.orvanta.example");
  EXPECT_EQ(community::cookieHost("127.0.0.1:18080"), "127.0.0.1");
  // A setting the program could not contact names no cookie host either.
  EXPECT_EQ(community::cookieHost("host:99999"), "");
  EXPECT_EQ(community::cookieHost(""), "");
}

}  // namespace
