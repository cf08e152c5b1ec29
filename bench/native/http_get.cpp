// Our HTTP client fetching one URL into a file, for bench/http-native; prints the seconds
// the Get took.
//
//   bench_http_get URL FILE
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

#include "online/httpclient.h"
#include "platform/posix/posix_clock.h"
#include "platform/posix/posix_sockets.h"

namespace {

// Only what a Get into a file needs: creating and writing the body file.
class DiskFiles : public platform::Files {
 public:
  std::unique_ptr<platform::OutputFile> createFile(const std::string& path) override {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return nullptr;
    return std::make_unique<Output>(fd);
  }
  std::unique_ptr<platform::FindHandle> findFirst(const std::string&,
                                                  platform::FindData&) override {
    return nullptr;
  }
  std::optional<uint32_t> attributes(const std::string&) override { return std::nullopt; }
  std::optional<std::string> readFile(const std::string&, uint64_t) override {
    return std::nullopt;
  }
  bool writeFile(const std::string&, const std::string&) override { return false; }
  bool deleteFile(const std::string&) override { return false; }
  bool copyFile(const std::string&, const std::string&, bool) override { return false; }
  bool moveFile(const std::string&, const std::string&) override { return false; }
  bool createDirectory(const std::string&) override { return false; }
  bool setAttributes(const std::string&, uint32_t) override { return false; }

 private:
  class Output : public platform::OutputFile {
   public:
    explicit Output(int fd) : fd_(fd) {}
    ~Output() override { close(); }
    bool write(const char* data, size_t size) override {
      while (size > 0) {
        ssize_t n = ::write(fd_, data, size);
        if (n <= 0) return ok_ = false;
        data += n;
        size -= static_cast<size_t>(n);
      }
      return true;
    }
    bool close() override {
      if (fd_ >= 0 && ::close(fd_) != 0) ok_ = false;
      fd_ = -1;
      return ok_;
    }

   private:
    int fd_;
    bool ok_ = true;
  };
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: bench_http_get URL FILE\n");
    return 2;
  }
  platform::posix::PosixSockets sockets;
  DiskFiles files;
  platform::posix::PosixClock clock;
  online::HttpClient client(sockets, files, clock, [] {});
  client.TimeOut = 30000;
  client.InputFileMode = true;
  client.Body = argv[2];
  const auto start = std::chrono::steady_clock::now();
  try {
    client.Get(argv[1]);
  } catch (const online::HttpError& e) {
    std::fprintf(stderr, "bench_http_get: %s\n", e.what());
    return 1;
  }
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  if (client.statusCode != 200 || client.bytesReceived != client.bytesTotal) {
    std::fprintf(stderr, "bench_http_get: status %d, %lld of %lld bytes\n", client.statusCode,
                 static_cast<long long>(client.bytesReceived),
                 static_cast<long long>(client.bytesTotal));
    return 1;
  }
  std::printf("%.3f\n", took.count());
  return 0;
}
