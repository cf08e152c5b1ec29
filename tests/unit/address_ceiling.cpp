#include "tests/unit/address_ceiling.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <exception>
#include <fstream>

namespace testmem {
namespace {

// The address space in use now, from the kernel's own count.
size_t addressSpaceInUse() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.compare(0, 7, "VmSize:") == 0) return std::stoull(line.substr(7)) * 1024;
  return 0;
}

void writeAll(int fd, const std::string& text) {
  for (size_t done = 0; done < text.size();) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n <= 0) return;
    done += static_cast<size_t>(n);
  }
}

}  // namespace

std::string withinAddressSpace(size_t extraBytes, const std::function<std::string()>& work) {
  int pipeEnds[2];
  if (::pipe(pipeEnds) != 0) return "no pipe";
  const pid_t child = ::fork();
  if (child < 0) return "no child";
  if (child == 0) {
    ::close(pipeEnds[0]);
    const rlimit limit{addressSpaceInUse() + extraBytes, RLIM_INFINITY};
    std::string result;
    if (::setrlimit(RLIMIT_AS, &limit) != 0) {
      result = "no limit";
    } else {
      try {
        result = work();
      } catch (const std::exception& e) {
        result = std::string("threw: ") + e.what();
      }
    }
    writeAll(pipeEnds[1], result);
    ::_exit(0);
  }
  ::close(pipeEnds[1]);
  std::string result;
  char buffer[512];
  for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
    result.append(buffer, static_cast<size_t>(n));
  ::close(pipeEnds[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  if (WIFSIGNALED(status)) return "killed by signal " + std::to_string(WTERMSIG(status));
  return result;
}

}  // namespace testmem
