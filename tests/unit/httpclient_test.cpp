// The HTTP client against a real server on loopback: the bytes it sends, how it reads what
// comes back however it arrives, its events, time-outs, redirects and every failure. How it
// counts TimeOut is pinned on a virtual clock at the end.
#include "online/httpclient.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <thread>

#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_files.h"
#include "platform/posix/posix_clock.h"
#include "platform/posix/posix_sockets.h"
#include "tests/unit/loopback_server.h"

namespace {

using loopback::Connection;
using loopback::Server;
using online::HttpClient;
using online::HttpMethod;

const std::string kFixedHeaders =
    "Accept: www/source, text/html, video/mpeg, image/jpeg, image/x-tiff\r\n"
    "Accept: image/x-rgb, image/x-xbm, image/gif, */*, application/postscript\r\n";

struct Fixture : ::testing::Test {
  platform::posix::PosixSockets sockets;
  platform::fake::FakeFiles files;
  platform::posix::PosixClock clock;
  int pumps = 0;
  std::function<void()> onPump;
  HttpClient client{sockets, files, clock, [this] {
                      ++pumps;
                      if (onPump) onPump();
                    }};
  std::vector<std::string> events;

  Fixture() {
    files.addDir("C:\\Cache");
    client.TimeOut = 5000;
    client.OnConnectionFailed = [this] { events.push_back("connection failed"); };
    client.OnPacketRecvd = [this] {
      if (events.empty() || events.back() != "packet") events.push_back("packet");
    };
    client.OnSuccess = [this](HttpMethod m) {
      events.push_back("success " + std::to_string(static_cast<int>(m)));
    };
    client.OnFailure = [this](HttpMethod m) {
      events.push_back("failure " + std::to_string(static_cast<int>(m)));
    };
  }

  std::string errorOf(const std::function<void()>& call) {
    try {
      call();
    } catch (const online::HttpError& e) {
      return e.what();
    }
    return "no error";
  }
};

Server::Handler answer(std::string bytes) {
  return [bytes](Connection& c) { c.send(bytes); };
}

using HttpClientExchange = Fixture;

TEST_F(HttpClientExchange, GetSendsExactBytesAndWritesTheBodyFile) {
  Server server(answer("HTTP/1.0 200 OK\r\nContent-Length: 5\r\n\r\nhello"));
  client.InputFileMode = true;
  client.Body = "C:\\Cache\\headlines.db";
  files.addFile(client.Body, "old content that must go");
  client.Get(server.url("/today/headlines.db"));

  ASSERT_EQ(server.requests().size(), 1u);
  EXPECT_EQ(server.requests()[0], "GET /today/headlines.db HTTP/1.0\r\nHost: 127.0.0.1\r\n" +
                                      kFixedHeaders +
                                      "Content-type: application/x-www-form-urlencoded\r\n\r\n");
  EXPECT_EQ(client.Port, server.port());
  EXPECT_EQ(files.readFile(client.Body, 100), "hello");
  EXPECT_EQ(client.statusCode, 200);
  EXPECT_EQ(client.bytesTotal, 5);
  EXPECT_EQ(client.bytesReceived, 5);
  EXPECT_EQ(client.Header, "HTTP/1.0 200 OK\r\nContent-Length: 5\r\n\r\n");
  EXPECT_EQ(events, (std::vector<std::string>{"packet", "success 0"}));
}

TEST_F(HttpClientExchange, PostEncodesTheBodyAndKeepsTheReplyAsText) {
  Server server(answer("HTTP/1.0 200 OK\n\nlogin:TRUE"));
  client.HeaderInfo.UserId = "user: jo";
  client.HeaderInfo.Password = "password: secret";
  client.Body = "stale text";
  client.Post(server.url("/forum/instant.php?do=login"), "user:a b");

  const std::string request = server.requests().at(0);
  EXPECT_EQ(request.substr(0, request.find("\r\n")), "POST /forum/instant.php?do=login HTTP/1.0");
  EXPECT_NE(request.find("\r\nAuthorization: Basic " + online::base64("user: jo:password: secret") +
                         "\r\n"),
            std::string::npos);
  const std::string tail = "Content-Length: 10\r\n\r\nuser%3aa+b";
  EXPECT_EQ(request.substr(request.size() - tail.size()), tail);
  EXPECT_EQ(client.Body, "login:TRUE");
  EXPECT_EQ(client.Header, "HTTP/1.0 200 OK\n\n");
  EXPECT_EQ(events, (std::vector<std::string>{"packet", "success 3"}));
}

TEST_F(HttpClientExchange, RepliesWithoutStatusLineOrLengthStillSucceed) {
  {
    Server silent([](Connection&) {});
    client.Get(silent.url("/"));
    EXPECT_EQ(client.statusCode, 0);
    EXPECT_EQ(client.Body, "");
    EXPECT_EQ(events.back(), "success 0");
  }
  {
    Server unsized(answer("HTTP/1.0 200 OK\r\n\r\nuntil the end"));
    client.Get(unsized.url("/"));
    EXPECT_EQ(client.bytesTotal, 0);
    EXPECT_EQ(client.bytesReceived, 13);
    EXPECT_EQ(client.Body, "until the end");
  }
}

TEST_F(HttpClientExchange, HostNamesAreLookedUp) {
  Server server(answer("HTTP/1.0 200 OK\r\n\r\nby name"));
  client.Get("http://localhost:" + std::to_string(server.port()) + "/");
  EXPECT_EQ(client.Body, "by name");
  EXPECT_NE(server.requests().at(0).find("\r\nHost: localhost\r\n"), std::string::npos);
}

TEST_F(HttpClientExchange, NotFoundStillStoresTheBodyThenReportsFailure) {
  Server server(answer("HTTP/1.0 404 Not Found\r\nContent-Length: 9\r\n\r\nnot found"));
  client.InputFileMode = true;
  client.Body = "C:\\Cache\\gallery.jpg";
  client.Get(server.url("/x.jpg"));
  EXPECT_EQ(files.readFile(client.Body, 100), "not found");
  EXPECT_EQ(client.statusCode, 404);
  EXPECT_EQ(events, (std::vector<std::string>{"packet", "failure 0"}));
}

TEST_F(HttpClientExchange, DrippedReplyArrivesWholeWhileMessagesFlow) {
  const std::string body(300, 'b');
  Server server(
      [&](Connection& c) { c.drip("HTTP/1.0 200 OK\r\nContent-Length: 300\r\n\r\n" + body); });
  int packets = 0;
  client.OnPacketRecvd = [&] { ++packets; };
  client.Get(server.url("/drip"));
  EXPECT_EQ(client.Body, body);
  EXPECT_EQ(client.statusCode, 200);
  EXPECT_GT(packets, 10);
  EXPECT_GE(pumps, 10);  // about one per 2 ms slice of the transfer
}

TEST_F(HttpClientExchange, BodyCutShortOfItsLengthFailsAndKeepsWhatArrived) {
  Server server(answer("HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\n" + std::string(50, 'x')));
  client.InputFileMode = true;
  client.Body = "C:\\Cache\\temp.gif";
  EXPECT_EQ(errorOf([&] { client.Get(server.url("/banner.gif")); }),
            "Connection closed after 50 of 100 body bytes");
  EXPECT_EQ(files.readFile(client.Body, 100), std::string(50, 'x'));
  EXPECT_EQ(events, (std::vector<std::string>{"packet"}));
}

TEST_F(HttpClientExchange, StalledServerTimesOutAfterTimeOutOfSilence) {
  Server server([](Connection& c) {
    c.send("HTTP/1.0 200 OK\r\n\r\npart");
    c.stall(5000);
  });
  client.TimeOut = 300;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(errorOf([&] { client.Get(server.url("/")); }), "Receive Timed Out");
  const auto elapsed = std::chrono::steady_clock::now() - start;
  // The client counts whole milliseconds of its clock: up to one less on a finer one.
  EXPECT_GE(elapsed, std::chrono::milliseconds(299));
  EXPECT_LT(elapsed, std::chrono::milliseconds(2000));
  EXPECT_EQ(client.Body, "part");
  EXPECT_GT(pumps, 20);
}

TEST_F(HttpClientExchange, AHandlerThatRunsLongerThanTimeOutIsNotSilence) {
  // Another client's whole request can run inside a handler; the reply that came meanwhile
  // is read, not taken for a time-out.
  Server server([](Connection& c) {
    c.stall(20);
    c.send("HTTP/1.0 200 OK\r\n\r\nmeanwhile");
  });
  client.TimeOut = 200;
  bool slept = false;
  onPump = [&] {
    if (slept) return;
    slept = true;
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
  };
  EXPECT_EQ(errorOf([&] { client.Get(server.url("/")); }), "no error");
  EXPECT_TRUE(slept);
  EXPECT_EQ(client.Body, "meanwhile");
}

TEST_F(HttpClientExchange, AbortFromAHandlerCancelsTheWait) {
  Server server([](Connection& c) { c.stall(5000); });
  client.TimeOut = 0;
  onPump = [&] {
    if (pumps == 50) client.abort();
  };
  EXPECT_EQ(errorOf([&] { client.Get(server.url("/")); }), "Connection Canceled");
  onPump = nullptr;
  Server next(answer("HTTP/1.0 200 OK\r\n\r\nfine"));
  client.Get(next.url("/"));
  EXPECT_EQ(client.Body, "fine");
}

TEST_F(HttpClientExchange, ASecondRequestFromAHandlerIsRefused) {
  Server server([](Connection& c) {
    c.stall(50);
    c.send("HTTP/1.0 200 OK\r\n\r\nouter");
  });
  std::string inner;
  onPump = [&] {
    if (inner.empty()) inner = errorOf([&] { client.Get(server.url("/inner")); });
  };
  client.Get(server.url("/outer"));
  EXPECT_EQ(inner, "A request is already running");
  EXPECT_EQ(client.Body, "outer");
  EXPECT_EQ(server.requests().size(), 1u);
}

TEST_F(HttpClientExchange, RedirectCarriesTheCookieToTheNewTarget) {
  int served = 0;
  Server server([&](Connection& c) {
    if (served++ == 0)
      c.send("HTTP/1.0 302 Found\r\nSet-Cookie: sid=42; path=/\r\nLocation: next?a=1\r\n\r\nmoved");
    else
      c.send("HTTP/1.0 200 OK\r\n\r\narrived");
  });
  client.Get(server.url("/dir/first"));
  auto requests = server.requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[1].substr(0, requests[1].find("\r\n")), "GET /dir/next?a=1 HTTP/1.0");
  EXPECT_NE(requests[1].find("\r\nCookie: sid=42\r\n"), std::string::npos);
  EXPECT_EQ(client.HeaderInfo.Cookie, "");
  EXPECT_EQ(client.Body, "arrived");
  EXPECT_EQ(client.Header, "HTTP/1.0 200 OK\r\n\r\n");
  EXPECT_EQ(events.back(), "success 0");
}

TEST_F(HttpClientExchange, ACookieWithALineBreakIsNotKeptForLaterRequests) {
  int served = 0;
  Server server([&](Connection& c) {
    if (served++ == 0)
      c.send("HTTP/1.0 302 Found\r\nSet-Cookie: a=1\rX-Forged: 1\r\nLocation: /next\r\n\r\n");
    else
      c.send("HTTP/1.0 200 OK\r\n\r\nfine");
  });
  client.Get(server.url("/first"));
  EXPECT_EQ(client.Body, "fine");
  EXPECT_EQ(client.HeaderInfo.Cookie, "");
  client.Get(server.url("/later"));
  EXPECT_EQ(server.requests().size(), 3u);
}

TEST_F(HttpClientExchange, DrippedRedirectWithAnEmptyBodyKeepsTheLinesAfterItsLength) {
  int served = 0;
  Server server([&](Connection& c) {
    if (served++ == 0)
      c.drip("HTTP/1.0 302 Found\r\nContent-Length: 0\r\nLocation: /next\r\n\r\n");
    else
      c.send("HTTP/1.0 200 OK\r\n\r\narrived");
  });
  client.Get(server.url("/first"));
  ASSERT_EQ(server.requests().size(), 2u);
  EXPECT_EQ(client.Body, "arrived");
}

// The second host is another loopback address, as a server elsewhere would be.
TEST_F(HttpClientExchange, AFormIsPostedAgainOnlyToItsOwnServer) {
  Server elsewhere(answer("HTTP/1.0 200 OK\r\n\r\nlogin:true"), "127.0.0.2");
  std::string location;
  Server server([&](Connection& c) {
    if (c.request().compare(0, 9, "POST /in ") == 0)
      c.send("HTTP/1.0 302 Found\r\nLocation: " + location + "\r\n\r\n");
    else
      c.send("HTTP/1.0 200 OK\r\n\r\nlogin:false");
  });
  client.HeaderInfo.UserId = "user: jo";
  client.HeaderInfo.Password = "password: secret";
  const std::string form = "user:jopassword:secret";
  for (const std::string& other :
       {elsewhere.url("/in"), "http://localhost:" + std::to_string(server.port()) + "/in",
        "http://127.0.0.1:" + std::to_string(elsewhere.port()) + "/in"}) {
    location = other;
    EXPECT_EQ(errorOf([&] { client.Post(server.url("/in"), form); }),
              "A form is not sent on to another server")
        << other;
  }
  EXPECT_TRUE(elsewhere.requests().empty());
  EXPECT_EQ(server.requests().size(), 3u);
  EXPECT_TRUE(events.empty());

  // On its own server the form goes to the new place whole, credentials and all.
  location = "/again";
  client.Post(server.url("/in"), form);
  const auto requests = server.requests();
  ASSERT_EQ(requests.size(), 5u);
  EXPECT_EQ(requests[4].substr(0, requests[4].find("\r\n")), "POST /again HTTP/1.0");
  EXPECT_NE(requests[4].find("\r\nAuthorization: Basic "), std::string::npos);
  const std::string encoded = "\r\n\r\nuser%3ajopassword%3asecret";
  EXPECT_EQ(requests[4].substr(requests[4].size() - encoded.size()), encoded);
  EXPECT_EQ(client.Body, "login:false");
}

TEST_F(HttpClientExchange, CookiesAndCredentialsGoBackOnlyToTheirOwnServer) {
  std::string there, back;
  Server home([&](Connection& c) {
    if (c.request().compare(0, 11, "GET /first ") == 0)
      c.send("HTTP/1.0 302 Found\r\nSet-Cookie: home=1\r\nLocation: " + there + "\r\n\r\n");
    else
      c.send("HTTP/1.0 200 OK\r\n\r\nhome again");
  });
  Server away([&](Connection& c) {
    c.send("HTTP/1.0 302 Found\r\nSet-Cookie: away=2\r\nLocation: " + back + "\r\n\r\n");
  }, "127.0.0.2");
  there = away.url("/x");
  back = home.url("/y");
  client.HeaderInfo.Cookie = "mine=0";
  client.HeaderInfo.UserId = "user: jo";
  client.HeaderInfo.Password = "password: secret";
  client.Get(home.url("/first"));
  EXPECT_EQ(client.Body, "home again");
  const auto atHome = home.requests(), atAway = away.requests();
  ASSERT_EQ(atHome.size(), 2u);
  ASSERT_EQ(atAway.size(), 1u);
  EXPECT_NE(atHome[0].find("\r\nCookie: mine=0\r\n"), std::string::npos);
  EXPECT_EQ(atAway[0].find("Cookie"), std::string::npos);
  EXPECT_EQ(atAway[0].find("Authorization"), std::string::npos);
  EXPECT_NE(atHome[1].find("\r\nCookie: home=1\r\n"), std::string::npos);
  EXPECT_EQ(atHome[1].find("away=2"), std::string::npos);
  EXPECT_NE(atHome[1].find("\r\nAuthorization: Basic "), std::string::npos);
  // What the caller set is left as it was, for its next request.
  EXPECT_EQ(client.HeaderInfo.Cookie, "mine=0");
}

TEST_F(HttpClientExchange, RedirectLoopStopsAfterTenAndOneWithoutTargetFails) {
  Server loop(answer("HTTP/1.0 301 Moved\r\nLocation: /again\r\n\r\n"));
  EXPECT_EQ(errorOf([&] { client.Get(loop.url("/")); }), "Too many redirects (more than 10)");
  EXPECT_EQ(loop.requests().size(), 11u);

  Server nowhere(answer("HTTP/1.0 303 See Other\r\n\r\n"));
  EXPECT_EQ(errorOf([&] { client.Get(nowhere.url("/")); }), "Redirect without a Location");
  EXPECT_EQ(std::count(events.begin(), events.end(), "success 0"), 0);
}

TEST_F(HttpClientExchange, TextBodyIsBounded) {
  Server server(answer("HTTP/1.0 200 OK\r\n\r\n" + std::string(online::kMaxTextBody + 1, 't')));
  EXPECT_EQ(errorOf([&] { client.Get(server.url("/")); }), "Reply body larger than 4 MB");
}

TEST_F(HttpClientExchange, ABodyPastItsCeilingFailsBeforeAndWhileItArrives) {
  client.InputFileMode = true;
  client.Body = "C:\\Cache\\gallery.jpg";
  client.MaxBodySize = 1000;
  // Announced too large: refused before the file is touched.
  files.addFile(client.Body, "old");
  Server announced(answer("HTTP/1.0 200 OK\r\nContent-Length: 1001\r\n\r\n" + std::string(1001, 'x')));
  EXPECT_EQ(errorOf([&] { client.Get(announced.url("/")); }), "Reply body larger than 1000 bytes");
  EXPECT_EQ(files.readFile(client.Body, 10), "old");
  // Without a length: the file stops short of the ceiling.
  Server endless(answer("HTTP/1.0 200 OK\r\n\r\n" + std::string(200000, 'x')));
  EXPECT_EQ(errorOf([&] { client.Get(endless.url("/")); }), "Reply body larger than 1000 bytes");
  EXPECT_LE(files.readFile(client.Body, 1 << 20)->size(), 1000u);
  // Exactly the ceiling is fine.
  Server exact(answer("HTTP/1.0 200 OK\r\n\r\n" + std::string(1000, 'x')));
  client.Get(exact.url("/"));
  EXPECT_EQ(client.bytesReceived, 1000);
}

TEST_F(HttpClientExchange, ADrippingServerCannotHoldARequestPastItsTimeLimit) {
  Server server([](Connection& c) {
    c.send("HTTP/1.0 200 OK\r\n\r\n");
    for (int i = 0; i < 500; ++i) {
      c.send("x");
      c.stall(10);
    }
  });
  client.TimeOut = 200;
  client.TimeLimit = 300;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(errorOf([&] { client.Get(server.url("/")); }), "Request took longer than 300 ms");
  const auto elapsed = std::chrono::steady_clock::now() - start;
  // The client counts whole milliseconds of its clock: up to one less on a finer one.
  EXPECT_GE(elapsed, std::chrono::milliseconds(299));
  EXPECT_LT(elapsed, std::chrono::milliseconds(3000));
  EXPECT_FALSE(client.busy());
}

TEST_F(HttpClientExchange, BodyFileThatCannotBeWrittenIsAnError) {
  Server server(answer("HTTP/1.0 200 OK\r\n\r\ndata"));
  client.InputFileMode = true;
  client.Body = "C:\\Missing\\headlines.db";
  EXPECT_EQ(errorOf([&] { client.Get(server.url("/")); }),
            "Cannot create the file C:\\Missing\\headlines.db");
  client.Body = "C:\\Cache\\headlines.db";
  files.setWriteBudget(2);
  EXPECT_EQ(errorOf([&] { client.Get(server.url("/")); }),
            "Cannot write the file C:\\Cache\\headlines.db");
}

TEST_F(HttpClientExchange, RefusedConnectionRaisesTheEventThenFails) {
  EXPECT_EQ(errorOf([&] {
              client.Get("http://127.0.0.1:" + std::to_string(loopback::unusedPort()) + "/");
            }),
            "Connection Failed");
  EXPECT_EQ(events, (std::vector<std::string>{"connection failed"}));
}

TEST_F(HttpClientExchange, ConnectionThatNeverCompletesTimesOut) {
  // A listener whose queue is full drops further handshakes, so the last connect hangs.
  int listener = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in at{};
  at.sin_family = AF_INET;
  at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof at;
  ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&at), sizeof at), 0);
  ASSERT_EQ(::listen(listener, 0), 0);
  ::getsockname(listener, reinterpret_cast<sockaddr*>(&at), &size);
  std::vector<int> fillers;
  for (int i = 0; i < 2; ++i) {
    fillers.push_back(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0));
    ::connect(fillers.back(), reinterpret_cast<sockaddr*>(&at), sizeof at);
  }
  client.TimeOut = 300;
  EXPECT_EQ(errorOf([&] { client.Get("http://127.0.0.1:" + std::to_string(ntohs(at.sin_port))); }),
            "Connection Timed out");
  EXPECT_EQ(events, (std::vector<std::string>{"connection failed"}));
  for (int fd : fillers) ::close(fd);
  ::close(listener);
}

// Host lookups on virtual time: pending until the clock reaches answerAt, then the answer.
// The clock moves only when the client processes messages, as a long handler would move it.
struct StubSockets : platform::Sockets {
  platform::fake::FakeClock& clock;
  uint64_t answerAt = UINT64_MAX;
  platform::HostLookup::State answer = platform::HostLookup::State::NotFound;
  explicit StubSockets(platform::fake::FakeClock& c) : clock(c) {}
  struct Lookup : platform::HostLookup {
    StubSockets& stub;
    explicit Lookup(StubSockets& s) : stub(s) {}
    State wait(uint32_t) override {
      return stub.clock.tickMs() >= stub.answerAt ? stub.answer : State::Pending;
    }
    uint32_t address() const override { return 0; }
  };
  std::unique_ptr<platform::HostLookup> lookup(const std::string&) override {
    return std::make_unique<Lookup>(*this);
  }
  std::unique_ptr<platform::Socket> connect(uint32_t, uint16_t, platform::SocketError&) override {
    ADD_FAILURE() << "no connection expected";
    return nullptr;
  }
};

struct HttpClientTime : ::testing::Test {
  platform::fake::FakeFiles files;
  platform::fake::FakeClock clock;
  StubSockets sockets{clock};
  uint64_t handlerMs = 10;  // how long each round of message processing takes
  int pumps = 0;
  HttpClient client{sockets, files, clock, [this] {
                      ++pumps;
                      clock.advance(handlerMs);
                    }};
  const uint64_t start = clock.tickMs();

  std::string lookUp() {
    try {
      client.Get("http://server.example/");
    } catch (const online::HttpError& e) {
      return e.what();
    }
    return "no error";
  }
};

TEST_F(HttpClientTime, AWaitTimesOutWhenTimeOutHasPassedAndNotBefore) {
  client.TimeOut = 50;
  EXPECT_EQ(lookUp(), "Host Lookup Timed Out");
  EXPECT_EQ(pumps, 5);
  EXPECT_EQ(clock.tickMs() - start, 50u);
}

TEST_F(HttpClientTime, AnAnswerThatCameWhileAHandlerRanIsNoTimeOut) {
  client.TimeOut = 50;
  handlerMs = 1000;
  sockets.answerAt = start + 1000;
  EXPECT_EQ(lookUp(), "Null Remote Address");
  EXPECT_EQ(pumps, 1);
}

TEST_F(HttpClientTime, NoTimeOutWaitsAsLongAsItTakes) {
  client.TimeOut = 0;
  handlerMs = 60000;
  sockets.answerAt = start + 3600000;
  EXPECT_EQ(lookUp(), "Null Remote Address");
  EXPECT_EQ(pumps, 60);
}

}  // namespace
