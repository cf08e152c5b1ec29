// Holds files open the way a running program does, sharing reading but not deletion, until its
// input ends: the locked files of the end-to-end tests.
//
//   holdfile PATH...      prints "held N" once the N files it could open are open
#include <windows.h>

#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
  std::vector<HANDLE> held;
  for (int i = 1; i < argc; ++i) {
    HANDLE h = CreateFileA(argv[i], GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h != INVALID_HANDLE_VALUE) held.push_back(h);
  }
  std::printf("held %u\n", static_cast<unsigned>(held.size()));
  std::fflush(stdout);
  char c;
  while (std::fread(&c, 1, 1, stdin) == 1) {
  }
  for (HANDLE h : held) CloseHandle(h);
  return 0;
}
