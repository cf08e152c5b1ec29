// The reference for bench/http-wine: the least a Winsock client can do to fetch a body into
// a file, with the same 64 KiB buffer as our client: a blocking socket, recv, WriteFile.
// Prints the seconds from connecting to the last byte written.
//
//   http_wine_reference PORT PATH FILE
#include <winsock2.h>

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: http_wine_reference PORT PATH FILE\n");
    return 2;
  }
  WSADATA data;
  if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return 1;
  HANDLE file = CreateFileA(argv[3], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;

  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(static_cast<u_short>(std::atoi(argv[1])));
  to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(s, reinterpret_cast<sockaddr*>(&to), sizeof to) != 0) return 1;
  std::string request = std::string("GET ") + argv[2] + " HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n";
  send(s, request.data(), static_cast<int>(request.size()), 0);

  std::vector<char> buffer(64 * 1024);
  std::string header;
  bool inBody = false;
  long long body = 0;
  for (;;) {
    int n = recv(s, buffer.data(), static_cast<int>(buffer.size()), 0);
    if (n <= 0) break;
    const char* p = buffer.data();
    if (!inBody) {
      header.append(p, static_cast<size_t>(n));
      size_t end = header.find("\r\n\r\n");
      if (end == std::string::npos) continue;
      inBody = true;
      size_t rest = header.size() - end - 4;
      p = buffer.data() + n - rest;
      n = static_cast<int>(rest);
    }
    DWORD written = 0;
    if (n > 0 && !WriteFile(file, p, static_cast<DWORD>(n), &written, nullptr)) return 1;
    body += n;
  }
  closesocket(s);
  CloseHandle(file);
  QueryPerformanceCounter(&end);
  WSACleanup();
  std::fprintf(stderr, "http_wine_reference: %lld body bytes\n", body);
  std::printf("%.3f\n", static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart);
  return 0;
}
