// Our HTTP client fetching one URL into a file under Wine, for bench/http-wine; window
// messages are processed between waits as in the program. Prints the seconds the Get took.
//
//   http_wine_get URL FILE
#include <windows.h>

#include <cstdio>

#include "online/httpclient.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_sockets.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: http_wine_get URL FILE\n");
    return 2;
  }
  platform::win32::Win32Sockets sockets;
  platform::win32::Win32Files files;
  platform::win32::Win32Clock clock;
  online::HttpClient client(sockets, files, clock, [] {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  });
  client.TimeOut = 30000;
  client.InputFileMode = true;
  client.Body = argv[2];
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  try {
    client.Get(argv[1]);
  } catch (const online::HttpError& e) {
    std::fprintf(stderr, "http_wine_get: %s\n", e.what());
    return 1;
  }
  QueryPerformanceCounter(&end);
  if (client.statusCode != 200 || client.bytesReceived != client.bytesTotal) {
    std::fprintf(stderr, "http_wine_get: status %d, %lld of %lld bytes\n", client.statusCode,
                 static_cast<long long>(client.bytesReceived),
                 static_cast<long long>(client.bytesTotal));
    return 1;
  }
  std::printf("%.3f\n", static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart);
  return 0;
}
