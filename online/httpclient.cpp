#include "online/httpclient.h"

#include <algorithm>
#include <vector>

#include "online/httpreply.h"
#include "platform/busyflag.h"
#include "platform/textcase.h"

namespace online {
namespace {

using platform::SocketError;
using platform::Transfer;
using platform::WaitResult;

// Short enough for a window to stay responsive while a request waits.
constexpr uint32_t kSliceMs = 2;
constexpr size_t kChunk = 64 * 1024;
const char kCanceled[] = "Connection Canceled";

HttpError socketError(const SocketError& e) {
  return HttpError("Socket error " + std::to_string(e.code) + ": " + e.text);
}

// Host names are compared as the name system does, without regard to case; another port is
// another server.
bool sameServer(const HttpUrl& a, const HttpUrl& b) {
  return a.port == b.port && platform::equalsAsciiNoCase(a.host, b.host);
}

// The cookies of one request and its redirects, each for the server it came from.
struct ServerCookie {
  HttpUrl server;
  std::string cookie;
};

std::string cookieFor(const std::vector<ServerCookie>& cookies, const HttpUrl& url) {
  for (const ServerCookie& c : cookies)
    if (sameServer(c.server, url)) return c.cookie;
  return {};
}

void keepCookie(std::vector<ServerCookie>& cookies, const HttpUrl& url, const std::string& cookie) {
  for (ServerCookie& c : cookies) {
    if (sameServer(c.server, url)) {
      c.cookie = cookie;
      return;
    }
  }
  cookies.push_back({url, cookie});
}

}  // namespace

HttpClient::HttpClient(platform::Sockets& sockets, platform::Files& files, platform::Clock& clock,
                       std::function<void()> processMessages)
    : sockets_(sockets),
      files_(files),
      clock_(clock),
      processMessages_(std::move(processMessages)) {}

void HttpClient::Get(const std::string& url) { request(HttpMethod::Get, url, nullptr); }

void HttpClient::Post(const std::string& url, const std::string& data) {
  const std::string body = formEncode(data);
  request(HttpMethod::Post, url, &body);
}

void HttpClient::request(HttpMethod method, const std::string& url, const std::string* body) {
  // Messages are processed while a request waits, so a handler may try to start another one
  // on the same client; it would tear the running one apart.
  if (busy_) throw HttpError("A request is already running");
  platform::BusyFlag busy(busy_);
  aborted_ = false;
  startedMs_ = clock_.tickMs();

  const HttpUrl first = analyseUrl(url);
  HttpUrl target = first;
  // A redirect may point anywhere. The caller's cookie and credentials are for the server it
  // asked, and a cookie that a redirect set goes back only to the server that set it.
  std::vector<ServerCookie> cookies{{first, HeaderInfo.Cookie}};
  for (int redirects = 0;; ++redirects) {
    Port = target.port;
    HttpHeaderInfo info = HeaderInfo;
    info.Cookie = cookieFor(cookies, target);
    if (!sameServer(target, first)) {
      info.UserId.clear();
      info.Password.clear();
    }
    const std::string text =
        buildRequest(method == HttpMethod::Get ? "GET" : "POST", target, info, body);
    HttpReplyReader reply;
    exchange(target, text, reply);
    if (statusCode <= 298) {
      if (OnSuccess) OnSuccess(method);
      return;
    }
    if (statusCode >= 400) {
      if (OnFailure) OnFailure(method);
      return;
    }
    if (redirects == kMaxRedirects) throw HttpError("Too many redirects (more than 10)");
    if (reply.location().empty()) throw HttpError("Redirect without a Location");
    if (!reply.cookie().empty()) keepCookie(cookies, target, reply.cookie());
    const HttpUrl next = analyseUrl(resolveLocation(target, reply.location()));
    // A form's body is for the server it was posted to: the login's holds the password.
    if (body && !sameServer(next, first))
      throw HttpError("A form is not sent on to another server");
    target = next;
  }
}

void HttpClient::exchange(const HttpUrl& url, const std::string& request, HttpReplyReader& reply) {
  statusCode = 0;
  bytesTotal = 0;
  bytesReceived = 0;
  Header.clear();
  auto socket = open(url);
  sendAll(*socket, request);
  receiveAll(*socket, reply);
}

std::unique_ptr<platform::Socket> HttpClient::open(const HttpUrl& url) {
  auto lookup = sockets_.lookup(url.host);
  auto state = platform::HostLookup::State::Pending;
  Waited looked = waitSliced([&](uint32_t slice) {
    state = lookup->wait(slice);
    return state != platform::HostLookup::State::Pending;
  });
  if (looked == Waited::Canceled) throw HttpError(kCanceled);
  if (looked == Waited::TimedOut) throw HttpError("Host Lookup Timed Out");
  if (state == platform::HostLookup::State::NotFound) throw HttpError("Null Remote Address");

  SocketError error;
  auto socket = sockets_.connect(lookup->address(), url.port, error);
  const char* failure = nullptr;
  if (!socket) {
    failure = "Connection Failed";
  } else {
    WaitResult result = WaitResult::TimedOut;
    Waited connected = waitSliced([&](uint32_t slice) {
      result = socket->waitWritable(slice, error);
      return result != WaitResult::TimedOut;
    });
    if (connected == Waited::TimedOut) {
      failure = "Connection Timed out";
    } else if (connected == Waited::Canceled) {
      failure = kCanceled;
    } else if (result == WaitResult::Failed || !socket->connected(error)) {
      failure = "Connection Failed";
    }
  }
  if (failure) {
    if (OnConnectionFailed) OnConnectionFailed();
    throw HttpError(failure);
  }
  return socket;
}

void HttpClient::sendAll(platform::Socket& socket, const std::string& data) {
  size_t sent = 0;
  while (sent < data.size()) {
    const size_t size = std::min(kChunk, data.size() - sent);
    Transfer t = transfer([&] { return socket.send(data.data() + sent, size); },
                          [&](uint32_t ms, SocketError& e) { return socket.waitWritable(ms, e); },
                          "Send Timed Out");
    if (t.status == Transfer::Status::Failed) throw socketError(t.error);
    if (t.status == Transfer::Status::Closed) throw HttpError("Connection closed while sending");
    sent += t.bytes;
  }
}

void HttpClient::receiveAll(platform::Socket& socket, HttpReplyReader& reply) {
  std::vector<char> buffer(kChunk);
  std::unique_ptr<platform::OutputFile> file;
  auto tooLarge = [&] {
    return HttpError("Reply body larger than " + std::to_string(MaxBodySize) + " bytes");
  };
  auto startBody = [&] {
    statusCode = reply.statusCode();
    bytesTotal = reply.contentLength().value_or(0);
    Header = reply.header();
    if (MaxBodySize > 0 && bytesTotal > MaxBodySize) throw tooLarge();
    if (InputFileMode) {
      file = files_.createFile(Body);
      if (!file) throw HttpFileError("Cannot create the file", Body);
    } else {
      Body.clear();
    }
  };
  auto store = [&](const char* data, size_t size) {
    if (MaxBodySize > 0 && reply.received() > MaxBodySize) throw tooLarge();
    if (file) {
      if (!file->write(data, size)) throw HttpFileError("Cannot write the file", Body);
    } else {
      if (Body.size() + size > kMaxTextBody) throw HttpError("Reply body larger than 4 MB");
      Body.append(data, size);
    }
    bytesReceived = reply.received();
    if (OnPacketRecvd) OnPacketRecvd();
  };

  // While data flows there is no wait to process messages in; doing it after every chunk
  // would cost more than the chunk itself, so it happens once a slice.
  uint64_t lastPump = clock_.tickMs();
  while (!reply.bodyComplete()) {
    Transfer t = transfer([&] { return socket.receive(buffer.data(), buffer.size()); },
                          [&](uint32_t ms, SocketError& e) { return socket.waitReadable(ms, e); },
                          "Receive Timed Out");
    if (t.status == Transfer::Status::Closed) break;
    if (t.status == Transfer::Status::Failed) throw socketError(t.error);
    const char* data = buffer.data();
    size_t size = t.bytes;
    if (!reply.headerDone()) {
      const size_t used = reply.readHeader(data, size);
      data += used;
      size -= used;
      if (reply.headerDone()) startBody();
    }
    if (reply.headerDone()) {
      const size_t body = reply.takeBody(size);
      if (body > 0) store(data, body);
    }
    const uint64_t now = clock_.tickMs();
    if (now - lastPump >= kSliceMs) {
      lastPump = now;
      if (!pump()) throw HttpError(kCanceled);
    }
  }
  if (!reply.headerDone()) {
    reply.endHeader();
    startBody();
  }
  reply.endBody();
  if (file && !file->close()) throw HttpFileError("Cannot write the file", Body);
}

Transfer HttpClient::transfer(const std::function<Transfer()>& move,
                              const std::function<WaitResult(uint32_t, SocketError&)>& wait,
                              const char* timedOut) {
  Transfer t = move();
  if (t.status != Transfer::Status::WouldBlock) return t;
  Waited waited = waitSliced([&](uint32_t slice) {
    SocketError error;
    WaitResult ready = wait(slice, error);
    if (ready == WaitResult::Failed) {
      t.status = Transfer::Status::Failed;
      t.error = error;
      return true;
    }
    if (ready == WaitResult::TimedOut) return false;
    t = move();
    return t.status != Transfer::Status::WouldBlock;
  });
  if (waited == Waited::Canceled) throw HttpError(kCanceled);
  if (waited == Waited::TimedOut) throw HttpError(timedOut);
  return t;
}

HttpClient::Waited HttpClient::waitSliced(const std::function<bool(uint32_t)>& poll) {
  const uint64_t start = clock_.tickMs();
  for (;;) {
    if (poll(kSliceMs)) return Waited::Done;
    // Judged before the messages, not after: a handler may run long (another client's whole
    // request), and what arrived meanwhile must be polled for before the wait is given up.
    if (TimeOut > 0 && clock_.tickMs() - start >= static_cast<uint64_t>(TimeOut))
      return Waited::TimedOut;
    if (!pump()) return Waited::Canceled;
  }
}

bool HttpClient::pump() {
  if (processMessages_) processMessages_();
  if (TimeLimit > 0 && clock_.tickMs() - startedMs_ >= static_cast<uint64_t>(TimeLimit))
    throw HttpError("Request took longer than " + std::to_string(TimeLimit) + " ms");
  return !aborted_;
}

}  // namespace online
