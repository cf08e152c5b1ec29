#include "platform/command_line.h"

namespace platform {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::vector<std::string> splitCommandLine(const std::string& line) {
  std::vector<std::string> args;
  size_t p = 0;
  const size_t n = line.size();

  std::string program;
  if (p < n && line[p] == '"') {
    const size_t close = line.find('"', p + 1);
    program = line.substr(p + 1, close == std::string::npos ? std::string::npos : close - p - 1);
    p = close == std::string::npos ? n : close + 1;
  } else {
    while (p < n && !isBlank(line[p])) program += line[p++];
  }
  args.push_back(program);

  while (true) {
    while (p < n && isBlank(line[p])) ++p;
    if (p >= n) break;
    std::string arg;
    bool quoted = false;
    while (p < n) {
      size_t slashes = 0;
      while (p < n && line[p] == '\\') ++slashes, ++p;
      if (p < n && line[p] == '"') {
        arg.append(slashes / 2, '\\');
        if (slashes % 2 == 1) {
          arg += '"';
        } else if (quoted && p + 1 < n && line[p + 1] == '"') {
          arg += '"';
          ++p;
          quoted = false;
        } else {
          quoted = !quoted;
        }
        ++p;
        continue;
      }
      arg.append(slashes, '\\');
      if (p >= n || (!quoted && isBlank(line[p]))) break;
      arg += line[p++];
    }
    args.push_back(std::move(arg));
  }
  return args;
}

}  // namespace platform
