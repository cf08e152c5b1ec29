// Stand-in for the community server, for the demo and the end-to-end tests. Listens on
// 127.0.0.1 only, speaks HTTP/1.0, one connection at a time, and ends by itself.
//
//   qexserver --port N --data DIR --seconds S [--user NAME] [--password WORD]
//             [--rate BYTES_PER_SECOND [--slow PATH_PREFIX]]
//
// Files under DIR are served by their path (the headline file as DIR/today/headlines.db,
// banners and gallery pictures wherever the headline file points); the forum login answers
// "login:true" for the configured user and password and "login:false" otherwise; every
// other forum page, and every folder-like path, is a plain page. Port 0 picks a free port;
// the chosen one is printed first. Each request is logged on its own line.
//
// With --rate, files whose path starts with the --slow prefix (every file without one) are
// sent at about that many bytes a second, so a client's progress can be watched.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <string_view>

#include "platform/textcase.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr size_t kMaxRequest = 64 * 1024;
constexpr auto kConnectionTime = std::chrono::seconds(10);

struct Options {
  int port = -1;
  std::string data;
  int seconds = 0;
  std::string user = "demo";
  std::string password = "demo";
  uint64_t rate = 0;  // bytes a second for slow files; 0 sends at full speed
  std::string slow = "/";
};

int msUntil(Clock::time_point deadline) {
  auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return left.count() < 0 ? 0 : static_cast<int>(left.count());
}

// The header and the body its Content-Length announces; empty when the client gave up.
std::string readRequest(int fd, Clock::time_point deadline) {
  std::string request;
  size_t wanted = std::string::npos;
  while (request.size() < wanted && request.size() < kMaxRequest) {
    pollfd entry{fd, POLLIN, 0};
    if (::poll(&entry, 1, msUntil(deadline)) <= 0) break;
    char buffer[4096];
    ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
    if (n <= 0) break;
    request.append(buffer, static_cast<size_t>(n));
    size_t end = request.find("\r\n\r\n");
    if (wanted == std::string::npos && end != std::string::npos) {
      wanted = end + 4;
      for (size_t pos = request.find("\r\n"); pos < end; pos = request.find("\r\n", pos + 2)) {
        if (platform::equalsAsciiNoCase(std::string_view(request).substr(pos + 2, 15),
                                        "Content-Length:"))
          wanted += std::strtoul(request.c_str() + pos + 17, nullptr, 10);
      }
    }
  }
  return request;
}

bool sendAll(int fd, const char* data, size_t size, Clock::time_point deadline) {
  while (size > 0) {
    pollfd entry{fd, POLLOUT, 0};
    if (::poll(&entry, 1, msUntil(deadline)) <= 0) return false;
    ssize_t n = ::send(fd, data, size, MSG_NOSIGNAL);
    if (n <= 0) return false;
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

// "%XX" escapes only: the login percent-encodes names and passwords, a "+" among them too.
std::string percentDecode(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() &&
        std::isxdigit(static_cast<unsigned char>(text[i + 1])) &&
        std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
      out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

// The decoded value of a query parameter.
std::string queryValue(const std::string& query, const std::string& name) {
  for (size_t pos = 0; pos <= query.size();) {
    size_t end = query.find('&', pos);
    if (end == std::string::npos) end = query.size();
    std::string pair = query.substr(pos, end - pos);
    if (pair.compare(0, name.size() + 1, name + "=") == 0)
      return percentDecode(pair.substr(name.size() + 1));
    pos = end + 1;
  }
  return "";
}

std::string htmlEscape(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '<')
      out += "&lt;";
    else if (c == '>')
      out += "&gt;";
    else if (c == '&')
      out += "&amp;";
    else
      out += c;
  }
  return out;
}

std::string contentType(const std::string& path) {
  auto endsWith = [&](const char* suffix) {
    size_t n = std::strlen(suffix);
    return path.size() >= n && platform::equalsAsciiNoCase(path.substr(path.size() - n), suffix);
  };
  if (endsWith(".gif")) return "image/gif";
  if (endsWith(".jpg") || endsWith(".jpeg")) return "image/jpeg";
  if (endsWith(".htm") || endsWith(".html")) return "text/html";
  return "application/octet-stream";
}

// The file under the data folder that a path names; empty when the path tries to leave it.
std::string fileFor(const Options& options, const std::string& path) {
  std::string relative = percentDecode(path);
  // Without its leading "/" a path would name a sibling of the data folder ("-x" -> DIR-x).
  if (relative.empty() || relative[0] != '/' || relative.find('\0') != std::string::npos ||
      relative.find('\\') != std::string::npos)
    return "";
  for (size_t pos = 0; pos < relative.size();) {
    size_t end = relative.find('/', pos);
    if (end == std::string::npos) end = relative.size();
    if (relative.compare(pos, end - pos, "..") == 0) return "";
    pos = end + 1;
  }
  struct stat info;
  std::string file = options.data + relative;
  if (::stat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return "";
  return file;
}

struct Reply {
  int status = 200;
  std::string reason = "OK";
  std::string type = "text/html";
  std::string body;
  std::string file;  // sent instead of body when set
  bool slow = false;  // the file goes out at the configured rate
};

Reply page(int status, const std::string& reason, const std::string& title) {
  return Reply{status, reason, "text/html",
               "<html><head><title>Orvanta community</title></head><body><h1>" + htmlEscape(title) +
                   "</h1></body></html>\r\n",
               ""};
}

Reply route(const Options& options, const std::string& method, const std::string& target) {
  const std::string path = target.substr(0, target.find('?'));
  const std::string query = path.size() < target.size() ? target.substr(path.size() + 1) : "";
  if (method != "GET" && method != "POST") return page(501, "Not Implemented", "Not implemented");
  if (path == "/forum/instant.php" && queryValue(query, "do") == "login") {
    bool ok = queryValue(query, "username") == options.user &&
              queryValue(query, "password") == options.password;
    return Reply{200, "OK", "text/plain", ok ? "login:true" : "login:false", ""};
  }
  std::string file = fileFor(options, path);
  if (!file.empty())
    return Reply{200, "OK", contentType(path), "", file,
                 options.rate > 0 && path.compare(0, options.slow.size(), options.slow) == 0};
  if (path.compare(0, 7, "/forum/") == 0 || (!path.empty() && path.back() == '/'))
    return page(200, "OK", path);
  return page(404, "Not Found", "Not found: " + path);
}

void serve(const Options& options, int fd, Clock::time_point stop) {
  auto deadline = std::min(stop, Clock::now() + kConnectionTime);
  const std::string request = readRequest(fd, deadline);
  const std::string line = request.substr(0, request.find("\r\n"));
  const size_t blank = line.find(' ');
  const size_t blank2 = line.find(' ', blank == std::string::npos ? line.size() : blank + 1);
  if (blank == std::string::npos || blank2 == std::string::npos) {
    std::printf("\"%s\" refused\n", line.substr(0, 200).c_str());
    std::fflush(stdout);
    return;
  }
  Reply reply = route(options, line.substr(0, blank), line.substr(blank + 1, blank2 - blank - 1));

  std::ifstream in;
  uint64_t length = reply.body.size();
  if (!reply.file.empty()) {
    in.open(reply.file, std::ios::binary | std::ios::ate);
    length = static_cast<uint64_t>(in.tellg());
    in.seekg(0);
  }
  std::string head = "HTTP/1.0 " + std::to_string(reply.status) + " " + reply.reason +
                     "\r\nServer: qexserver\r\nContent-Type: " + reply.type +
                     "\r\nContent-Length: " + std::to_string(length) + "\r\n\r\n" + reply.body;
  // A slow file gets the time its rate needs on top of the connection's own.
  size_t piece = 64 * 1024;
  if (reply.slow) {
    deadline = std::min(stop, deadline + std::chrono::seconds(length / options.rate + 1));
    piece = std::max<size_t>(1, options.rate / 10);
  }
  bool sent = sendAll(fd, head.data(), head.size(), deadline);
  char buffer[64 * 1024];
  while (sent && in && in.read(buffer, std::min(piece, sizeof buffer)).gcount() > 0) {
    sent = sendAll(fd, buffer, static_cast<size_t>(in.gcount()), deadline);
    if (reply.slow) ::poll(nullptr, 0, 100);
  }
  std::printf("\"%s\" %d %llu%s\n", line.substr(0, 500).c_str(), reply.status,
              static_cast<unsigned long long>(length), sent ? "" : " (cut)");
  std::fflush(stdout);
}

bool parse(int argc, char** argv, Options& options) {
  for (int i = 1; i + 1 < argc; i += 2) {
    std::string name = argv[i], value = argv[i + 1];
    if (name == "--port")
      options.port = std::atoi(value.c_str());
    else if (name == "--data")
      options.data = value;
    else if (name == "--seconds")
      options.seconds = std::atoi(value.c_str());
    else if (name == "--user")
      options.user = value;
    else if (name == "--password")
      options.password = value;
    else if (name == "--rate")
      options.rate = std::strtoull(value.c_str(), nullptr, 10);
    else if (name == "--slow")
      options.slow = value;
    else
      return false;
  }
  return argc % 2 == 1 && options.port >= 0 && options.port <= 65535 && !options.data.empty() &&
         options.seconds > 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!parse(argc, argv, options)) {
    std::fprintf(
        stderr,
        "usage: qexserver --port N --data DIR --seconds S [--user NAME] [--password WORD]\n"
        "                 [--rate BYTES_PER_SECOND [--slow PATH_PREFIX]]\n");
    return 2;
  }
  if (options.data.back() == '/') options.data.pop_back();

  int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  int on = 1;
  ::setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  sockaddr_in at{};
  at.sin_family = AF_INET;
  at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  at.sin_port = htons(static_cast<uint16_t>(options.port));
  socklen_t size = sizeof at;
  if (listener < 0 || ::bind(listener, reinterpret_cast<sockaddr*>(&at), sizeof at) != 0 ||
      ::listen(listener, 16) != 0 ||
      ::getsockname(listener, reinterpret_cast<sockaddr*>(&at), &size) != 0) {
    std::perror("qexserver: cannot listen");
    return 1;
  }
  std::printf("listening on 127.0.0.1:%u for %d s\n", ntohs(at.sin_port), options.seconds);
  std::fflush(stdout);

  const auto stop = Clock::now() + std::chrono::seconds(options.seconds);
  while (Clock::now() < stop) {
    pollfd entry{listener, POLLIN, 0};
    if (::poll(&entry, 1, msUntil(stop)) <= 0) continue;
    int fd = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) continue;
    serve(options, fd, stop);
    ::close(fd);
  }
  ::close(listener);
  std::printf("time limit reached\n");
  return 0;
}
