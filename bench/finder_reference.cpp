// The reference for bench/finder: the least a recursive walk can do, one FindFirstFileExA
// listing per folder, counting every file. Prints the number of files, then the seconds on
// the clock and in processor time.
//
//   finder_reference FOLDER
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "bench/cpu_seconds.h"

namespace {

unsigned long long count = 0, bytes = 0;

void walk(const std::string& folder) {
  WIN32_FIND_DATAA entry;
  HANDLE h = FindFirstFileExA((folder + "*.*").c_str(), FindExInfoStandard, &entry, FindExSearchNameMatch, nullptr, 0);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (entry.cFileName[0] == '.' && (!entry.cFileName[1] || (entry.cFileName[1] == '.' && !entry.cFileName[2])))
        continue;
      walk(folder + entry.cFileName + "\\");
    } else {
      ++count;
      bytes += entry.nFileSizeLow;
    }
  } while (FindNextFileA(h, &entry));
  FindClose(h);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: finder_reference FOLDER\n");
    return 2;
  }
  std::string root = argv[1];
  if (root.back() != '\\') root += '\\';
  const Stopwatch watch;
  walk(root);
  const double clock = watch.clock(), cpu = watch.cpu();
  std::printf("%llu %.4f %.4f\n", count, clock, cpu);
  return bytes == ~0ull;
}
