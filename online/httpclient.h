// The program's HTTP/1.0 client: one blocking request at a time that connects, sends, reads
// the whole reply, raises the events and closes before it returns. While it waits it keeps
// the owner's window messages flowing, so the window repaints and its timers run meanwhile.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "online/httperror.h"
#include "online/httprequest.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/sockets.h"

namespace online {

class HttpReplyReader;

// The request kind handed to OnSuccess and OnFailure.
enum class HttpMethod : int { Get = 0, Post = 3 };

// A text body larger than this is refused; what the program fetches as text is a few lines.
constexpr size_t kMaxTextBody = 4 * 1024 * 1024;
constexpr int kMaxRedirects = 10;

class HttpClient {
 public:
  // The clock times the waits against TimeOut and paces the message processing.
  HttpClient(platform::Sockets& sockets, platform::Files& files, platform::Clock& clock,
             std::function<void()> processMessages);

  uint16_t Port = 80;          // the port of the last request
  int TimeOut = 0;             // ms of inactivity allowed in each wait; 0 waits without limit
  // TimeOut only measures silence, so a server that drips can hold a request for ever, and a
  // body can grow without end: the whole request (redirects included) may take at most
  // TimeLimit ms, and a body at most MaxBodySize bytes. 0 sets no bound.
  int TimeLimit = 0;
  int64_t MaxBodySize = 0;
  bool InputFileMode = false;  // on: the body goes to the file named by Body
  std::string Body;            // the body file's name, or the received body
  std::string Header;          // the last reply's status and header lines with their line ends
  // The caller's request headers, left as they are: a cookie that a redirect sets lives only
  // for the rest of that request.
  HttpHeaderInfo HeaderInfo;
  int statusCode = 0;
  int64_t bytesTotal = 0;  // Content-Length of the reply, 0 when absent
  int64_t bytesReceived = 0;

  std::function<void()> OnConnectionFailed;
  std::function<void()> OnPacketRecvd;
  std::function<void(HttpMethod)> OnSuccess;
  std::function<void(HttpMethod)> OnFailure;

  // Both throw HttpError on the failures of the exchange; a reply status of 400 or more is
  // not one of them (OnFailure reports it).
  void Get(const std::string& url);
  void Post(const std::string& url, const std::string& data);

  // Called from a message handler while a request waits: the request ends with an error at
  // the next slice.
  void abort() { aborted_ = true; }
  bool busy() const { return busy_; }

 private:
  platform::Sockets& sockets_;
  platform::Files& files_;
  platform::Clock& clock_;
  std::function<void()> processMessages_;
  bool busy_ = false;
  bool aborted_ = false;
  uint64_t startedMs_ = 0;

  enum class Waited { Done, TimedOut, Canceled };

  void request(HttpMethod method, const std::string& url, const std::string* body);
  // One connection: returns with the reply read and the connection closed.
  void exchange(const HttpUrl& url, const std::string& request, HttpReplyReader& reply);
  std::unique_ptr<platform::Socket> open(const HttpUrl& url);
  void sendAll(platform::Socket& socket, const std::string& data);
  void receiveAll(platform::Socket& socket, HttpReplyReader& reply);
  // One send or receive: when the socket would block, waits for it in slices.
  platform::Transfer transfer(
      const std::function<platform::Transfer()>& move,
      const std::function<platform::WaitResult(uint32_t, platform::SocketError&)>& wait,
      const char* timedOut);
  // Polls in short slices until poll says done, processing messages between slices.
  Waited waitSliced(const std::function<bool(uint32_t sliceMs)>& poll);
  // Processes pending messages; false when a handler aborted the request meanwhile. Throws
  // HttpError once the request has run past TimeLimit.
  bool pump();
};

}  // namespace online
