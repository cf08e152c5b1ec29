// Our side of bench/finder: the file finder over the real file calls walks a tree with "*.*"
// and counts what it reports. Prints the number of files, then the seconds the walk took on
// the clock and in processor time.
//
//   finder_walk FOLDER
#include <windows.h>

#include <cstdint>
#include <cstdio>

#include "bench/cpu_seconds.h"
#include "cleanup/filefinder.h"
#include "platform/win32/win32_files.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: finder_walk FOLDER\n");
    return 2;
  }
  platform::win32::Win32Files files;
  cleanup::TFileFinder finder(files, nullptr);
  unsigned long long count = 0, bytes = 0;
  finder.OnFileFound = [&](cleanup::TFileFinder&, const std::string&, const std::string&,
                           const platform::FindData& entry) {
    ++count;
    bytes += entry.size;
  };
  finder.Paths.Add(argv[1], true);
  finder.Masks = {"*.*"};

  const Stopwatch watch;
  finder.Execute();
  const double clock = watch.clock(), cpu = watch.cpu();
  std::printf("%llu %.4f %.4f\n", count, clock, cpu);
  return bytes == ~0ull;  // keeps the sum alive
}
