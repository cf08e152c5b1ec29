// The reference for bench/cleaner: the least a cleaner can do, a recursive FindFirstFileA walk
// that collects every file whose name holds a dot, then DeleteFileA on each. Prints the seconds
// on the clock, and the processor seconds of this process and of the Wine server.
//
//   cleaner_reference FOLDER [SERVER-PID TICKS-PER-SECOND]
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bench/cpu_seconds.h"

namespace {

void walk(const std::string& folder, std::vector<std::string>& found) {
  WIN32_FIND_DATAA entry;
  HANDLE h = FindFirstFileA((folder + "*.*").c_str(), &entry);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    const char* name = entry.cFileName;
    if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) continue;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) walk(folder + name + "\\", found);
    } else if (std::strchr(name, '.')) {
      found.push_back(folder + name);
    }
  } while (FindNextFileA(h, &entry));
  FindClose(h);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 4) {
    std::fprintf(stderr, "usage: cleaner_reference FOLDER [SERVER-PID TICKS-PER-SECOND]\n");
    return 2;
  }
  std::string root = argv[1];
  if (root.back() != '\\') root += '\\';
  const ServerSpan span(argc, argv);
  std::vector<std::string> found;
  walk(root, found);
  for (const std::string& path : found) DeleteFileA(path.c_str());
  span.print();
  return 0;
}
