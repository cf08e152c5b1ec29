// The HTTP client's pieces that need no socket: URL analysis, redirect targets, form and
// base64 encoding, the request bytes and the reading of a reply fed in arbitrary pieces.
#include <gtest/gtest.h>

#include "online/httperror.h"
#include "online/httpreply.h"
#include "online/httprequest.h"
#include "online/httpurl.h"

namespace {

using online::analyseUrl;
using online::HttpReplyReader;

std::string errorOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const online::HttpError& e) {
    return e.what();
  }
  return "no error";
}

TEST(HttpUrl, TargetHostAndPortFromEachShape) {
  auto full = analyseUrl("http://example.org/today/headlines.db?x=1");
  EXPECT_EQ(full.host, "example.org");
  EXPECT_EQ(full.port, 80);
  EXPECT_EQ(full.target, "/today/headlines.db?x=1");
  EXPECT_EQ(full.origin, "http://example.org");

  auto bare = analyseUrl("http://example.org");
  EXPECT_EQ(bare.target, "/");
  EXPECT_EQ(bare.host, "example.org");

  auto noScheme = analyseUrl("127.0.0.1:8080/forum/");
  EXPECT_EQ(noScheme.host, "127.0.0.1");
  EXPECT_EQ(noScheme.port, 8080);
  EXPECT_EQ(noScheme.target, "/forum/");

  auto hostOnly = analyseUrl("example.org");
  EXPECT_EQ(hostOnly.host, "example.org");
  EXPECT_EQ(hostOnly.target, "/");

  EXPECT_EQ(analyseUrl("FTP://h/x").port, 21);
  EXPECT_EQ(analyseUrl("gopher://h/x").port, 70);
  EXPECT_EQ(analyseUrl("news://h/x").port, 80);
  EXPECT_EQ(analyseUrl("http://h:65535/").port, 65535);
}

TEST(HttpUrl, RefusesEmptySecureAndBadPorts) {
  EXPECT_EQ(errorOf([] { analyseUrl(""); }), "Empty URL");
  EXPECT_EQ(errorOf([] { analyseUrl("HTTPS://h/"); }), "HTTP Secure Socket is not supported");
  for (const char* url :
       {"http://h:0/", "http://h:65536/", "http://h:8o/", "http://h:/", "http://h:123456/"})
    EXPECT_EQ(errorOf([&] { analyseUrl(url); }), "Invalid port number") << url;
}

TEST(HttpUrl, LongTargetsStayWholeAndUnsafeBytesAreEscaped) {
  const std::string user(100, 'u'), password(120, 'p');
  const std::string path = "/forum/instant.php?do=login&username=" + user + "&password=" + password;
  EXPECT_EQ(analyseUrl("http://h" + path).target, path);

  auto forged = analyseUrl("http://h/a b\r\nX-Forged: 1\x01\xE9");
  EXPECT_EQ(forged.target, "/a%20b%0D%0AX-Forged:%201%01%E9");
  EXPECT_EQ(analyseUrl("http://h\r\n/").host, "h%0D%0A");
}

TEST(HttpUrl, RedirectTargetsResolveAgainstTheRequest) {
  auto base = analyseUrl("http://h:81/dir/page.php?q=a/b");
  EXPECT_EQ(online::resolveLocation(base, "http://other/x"), "http://other/x");
  EXPECT_EQ(online::resolveLocation(base, "//other/x"), "http:" + std::string("//other/x"));
  EXPECT_EQ(online::resolveLocation(base, "/top"), "http://h:81/top");
  EXPECT_EQ(online::resolveLocation(base, "next.php"), "http://h:81/dir/next.php");
  EXPECT_EQ(online::resolveLocation(analyseUrl("http://h"), "x"), "http://h/x");
  EXPECT_EQ(online::resolveLocation(analyseUrl("h:81/a/b"), "c"), "h:81/a/c");
  EXPECT_EQ(online::resolveLocation(analyseUrl("h:81/a/b"), "//o/p"), "http://o/p");
  // Only ASCII letters and digits make a scheme, whatever the machine's locale calls a letter.
  EXPECT_EQ(online::resolveLocation(base, "d\xE9j\xE0:vu"), "http://h:81/dir/d\xE9j\xE0:vu");
}

TEST(HttpEncoding, FormEncodingKeepsOnlyDigitsAndAsciiLetters) {
  EXPECT_EQ(online::formEncode("user:a b"), "user%3aa+b");
  EXPECT_EQ(online::formEncode("Az09-_.~\xE9\n"), "Az09%2d%5f%2e%7e%e9%0a");
  EXPECT_EQ(online::formEncode(std::string("\0", 1)), "%00");
}

TEST(HttpEncoding, Base64PadsAndNeverBreaksLines) {
  const char* plain[] = {"", "f", "fo", "foo", "foob", "fooba", "foobar"};
  const char* coded[] = {"", "Zg==", "Zm8=", "Zm9v", "Zm9vYg==", "Zm9vYmE=", "Zm9vYmFy"};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(online::base64(plain[i]), coded[i]);
  EXPECT_EQ(online::base64("\xFF\xFE"), "//4=");
  EXPECT_EQ(online::base64(std::string(300, 'x')).find('\n'), std::string::npos);
}

TEST(HttpRequest, GetWithoutOptionalHeaders) {
  EXPECT_EQ(online::buildRequest("GET", analyseUrl("http://h:8080/a"), {}, nullptr),
            "GET /a HTTP/1.0\r\n"
            "Host: h\r\n"
            "Accept: www/source, text/html, video/mpeg, image/jpeg, image/x-tiff\r\n"
            "Accept: image/x-rgb, image/x-xbm, image/gif, */*, application/postscript\r\n"
            "Content-type: application/x-www-form-urlencoded\r\n"
            "\r\n");
}

TEST(HttpRequest, PostWithEveryHeaderInItsOrder) {
  online::HttpHeaderInfo info{"mail",         "Orvanta Kestrel", "id=7",
                              "http://h/ref", "user: jo",        "password: pw"};
  const std::string body = "x%3ay";
  EXPECT_EQ(online::buildRequest("POST", analyseUrl("http://h/p"), info, &body),
            "POST /p HTTP/1.0\r\n"
            "Host: h\r\n"
            "Accept: www/source, text/html, video/mpeg, image/jpeg, image/x-tiff\r\n"
            "Accept: image/x-rgb, image/x-xbm, image/gif, */*, application/postscript\r\n"
            "User-Agent: mail\r\n"
            "From: Orvanta Kestrel\r\n"
            "Cookie: id=7\r\n"
            "Referer: http://h/ref\r\n"
            "Authorization: Basic " +
                online::base64("user: jo:password: pw") +
                "\r\n"
                "Content-type: application/x-www-form-urlencoded\r\n"
                "Content-Length: 5\r\n"
                "\r\n"
                "x%3ay");
}

TEST(HttpRequest, CredentialsNeedBothPartsAndValuesCannotForgeHeaders) {
  online::HttpHeaderInfo onlyUser;
  onlyUser.UserId = "jo";
  EXPECT_EQ(online::buildRequest("GET", analyseUrl("h"), onlyUser, nullptr).find("Authorization"),
            std::string::npos);
  online::HttpHeaderInfo forged;
  forged.Cookie = "a=1\r\nX-Forged: 1";
  EXPECT_EQ(errorOf([&] { online::buildRequest("GET", analyseUrl("h"), forged, nullptr); }),
            "Line break in the Cookie header");
}

// Feeds a whole reply in pieces of the given size; returns the body bytes.
std::string feed(HttpReplyReader& reader, const std::string& reply, size_t piece) {
  std::string body;
  for (size_t pos = 0; pos < reply.size() && !reader.bodyComplete(); pos += piece) {
    std::string part = reply.substr(pos, piece);
    size_t used = reader.headerDone() ? 0 : reader.readHeader(part.data(), part.size());
    if (reader.headerDone()) body += part.substr(used, reader.takeBody(part.size() - used));
  }
  if (!reader.headerDone()) reader.endHeader();
  return body;
}

TEST(HttpReply, SameResultWhateverThePieceSize) {
  const std::string reply =
      "HTTP/1.0 302 Found\r\ncontent-LENGTH:  5 \r\nLocation: /next\r\n"
      "Set-Cookie: bbuserid=7; path=/\r\nSet-Cookie: b=2\n\r\nhello-and-more";
  for (size_t piece : {1u, 2u, 7u, 64u, 4096u}) {
    HttpReplyReader reader;
    EXPECT_EQ(feed(reader, reply, piece), "hello") << piece;
    EXPECT_EQ(reader.statusCode(), 302);
    EXPECT_EQ(reader.contentLength(), 5);
    EXPECT_EQ(reader.location(), "/next");
    EXPECT_EQ(reader.cookie(), "bbuserid=7; b=2");
    EXPECT_EQ(reader.header(), reply.substr(0, reply.find("\n\r\n") + 3));
    EXPECT_TRUE(reader.bodyComplete());
  }
}

TEST(HttpReply, StatusIsTheSecondWordWhenItIsANumber) {
  auto status = [](const std::string& line) {
    HttpReplyReader reader;
    feed(reader, line + "\r\n\r\n", 100);
    return reader.statusCode();
  };
  EXPECT_EQ(status("HTTP/1.0 404 Not Found"), 404);
  EXPECT_EQ(status("HTTP/1.1  200"), 200);
  EXPECT_EQ(status("HTTP/1.0 20x OK"), 0);
  EXPECT_EQ(status("HTTP/1.0 -200 OK"), 0);
  EXPECT_EQ(status("HTTP/1.0 9999999999 OK"), 0);
  EXPECT_EQ(status("garbage"), 0);
}

TEST(HttpReply, EndsWithoutStatusLineOrMidLine) {
  HttpReplyReader nothing;
  nothing.endHeader();
  EXPECT_EQ(nothing.statusCode(), 0);
  EXPECT_EQ(nothing.header(), "");
  EXPECT_NO_THROW(nothing.endBody());

  HttpReplyReader cut;
  feed(cut, "HTTP/1.0 200 OK\r\nContent-Len", 100);
  EXPECT_EQ(cut.header(), "HTTP/1.0 200 OK\r\nContent-Len");
  EXPECT_EQ(cut.statusCode(), 200);
  EXPECT_EQ(cut.contentLength(), std::nullopt);
}

TEST(HttpReply, ContentLengthFramesTheBodyAndAShortOneFails) {
  HttpReplyReader zero;
  feed(zero, "HTTP/1.0 200 OK\r\nContent-Length: 0\r\n\r\n", 100);
  EXPECT_TRUE(zero.bodyComplete());

  // An empty body is not complete before the header is: the lines after the length count.
  HttpReplyReader zeroFirst;
  feed(zeroFirst, "HTTP/1.0 302 Found\r\nContent-Length: 0\r\nLocation: /next\r\n\r\n", 1);
  EXPECT_EQ(zeroFirst.location(), "/next");
  EXPECT_TRUE(zeroFirst.bodyComplete());

  HttpReplyReader absent;
  EXPECT_EQ(feed(absent, "HTTP/1.0 200 OK\r\nContent-Length: none\r\n\r\nall of it", 3),
            "all of it");
  EXPECT_FALSE(absent.bodyComplete());
  EXPECT_NO_THROW(absent.endBody());

  HttpReplyReader huge;
  feed(huge, "HTTP/1.0 200 OK\r\nContent-Length: 99999999999999999999\r\n\r\n", 100);
  EXPECT_EQ(huge.contentLength(), std::nullopt);

  HttpReplyReader shortBody;
  EXPECT_EQ(feed(shortBody, "HTTP/1.0 200 OK\r\nContent-Length: 10\r\n\r\nabc", 100), "abc");
  EXPECT_EQ(errorOf([&] { shortBody.endBody(); }), "Connection closed after 3 of 10 body bytes");
}

TEST(HttpReply, BoundsALineAndTheWholeHeader) {
  const std::string longest = "X: " + std::string(online::kMaxHeaderLine - 5, 'a') + "\r\n";
  HttpReplyReader fits;
  EXPECT_NO_THROW(feed(fits, "HTTP/1.0 200 OK\r\n" + longest + "\r\n", 1000));
  EXPECT_TRUE(fits.headerDone());

  HttpReplyReader tooLong;
  EXPECT_EQ(errorOf([&] { feed(tooLong, "HTTP/1.0 200 OK\r\nX" + longest, 1000); }),
            "Reply header line too long");
  HttpReplyReader noLineEnd;
  EXPECT_EQ(errorOf([&] { feed(noLineEnd, std::string(online::kMaxHeaderLine + 1, 'z'), 7); }),
            "Reply header line too long");

  std::string many = "HTTP/1.0 200 OK\r\n";
  while (many.size() <= online::kMaxHeader) many += "X-Filler: " + std::string(1000, 'f') + "\r\n";
  HttpReplyReader tooLarge;
  EXPECT_EQ(errorOf([&] { feed(tooLarge, many, 4096); }), "Reply header too large");
}

}  // namespace
