// The reference of bench/news: the least a program can do to get the news window's three
// files from the community server stand-in and decode the pictures, built like qexsys.exe: a
// blocking Winsock fetch of each file into memory, the GIF's first frame, and the JPEG at 1/8.
// Prints the seconds it took.
//
//   news_reference PORT HEADLINES_PATH BANNER_PATH GALLERY_PATH [window]
//
// With "window", it first shows and paints an empty window of the news window's size and
// frame, made before the clock starts as the program makes its windows at start-up: the
// least a program that must show a window does.
#include <winsock2.h>

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

// clang-format off
#include <cstddef>
#include <jpeglib.h>
#include <gif_lib.h>
// clang-format on

namespace {

std::string fetch(int port, const char* path) {
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(static_cast<u_short>(port));
  to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(s, reinterpret_cast<sockaddr*>(&to), sizeof to) != 0) return {};
  const std::string request = std::string("GET ") + path + " HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n";
  send(s, request.data(), static_cast<int>(request.size()), 0);
  std::string reply;
  char buffer[64 * 1024];
  for (int n; (n = recv(s, buffer, sizeof buffer, 0)) > 0;) reply.append(buffer, static_cast<size_t>(n));
  closesocket(s);
  const size_t body = reply.find("\r\n\r\n");
  return body == std::string::npos ? std::string() : reply.substr(body + 4);
}

struct Memory {
  const std::string& bytes;
  size_t pos = 0;
};

int readGif(GifFileType* gif, GifByteType* out, int wanted) {
  auto* in = static_cast<Memory*>(gif->UserData);
  const size_t n = std::min(static_cast<size_t>(wanted), in->bytes.size() - in->pos);
  std::memcpy(out, in->bytes.data() + in->pos, n);
  in->pos += n;
  return static_cast<int>(n);
}

// The pixels of the first frame, as colour indexes.
size_t firstGifFrame(const std::string& bytes) {
  Memory in{bytes};
  int error = 0;
  GifFileType* gif = DGifOpen(&in, readGif, &error);
  if (!gif) return 0;
  size_t pixels = 0;
  GifRecordType type;
  while (DGifGetRecordType(gif, &type) == GIF_OK && type != TERMINATE_RECORD_TYPE) {
    if (type == IMAGE_DESC_RECORD_TYPE) {
      if (DGifGetImageDesc(gif) != GIF_OK) break;
      std::vector<GifPixelType> row(static_cast<size_t>(gif->Image.Width));
      for (int y = 0; y < gif->Image.Height; ++y)
        if (DGifGetLine(gif, row.data(), gif->Image.Width) == GIF_OK) pixels += row.size();
      break;
    }
    GifByteType* extension = nullptr;
    int code = 0;
    if (DGifGetExtension(gif, &code, &extension) != GIF_OK) break;
    while (extension && DGifGetExtensionNext(gif, &extension) == GIF_OK) {
    }
  }
  DGifCloseFile(gif, &error);
  return pixels;
}

size_t jpegEighth(const std::string& bytes) {
  jpeg_decompress_struct d{};
  jpeg_error_mgr err{};
  d.err = jpeg_std_error(&err);
  jpeg_create_decompress(&d);
  jpeg_mem_src(&d, reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&d, TRUE);
  d.scale_num = 1;
  d.scale_denom = 8;
  d.dct_method = JDCT_IFAST;
  jpeg_start_decompress(&d);
  std::vector<unsigned char> row(static_cast<size_t>(d.output_width) * d.output_components);
  while (d.output_scanline < d.output_height) {
    JSAMPROW rows[1] = {row.data()};
    jpeg_read_scanlines(&d, rows, 1);
  }
  const size_t pixels = static_cast<size_t>(d.output_width) * d.output_height;
  jpeg_finish_decompress(&d);
  jpeg_destroy_decompress(&d);
  return pixels;
}

LRESULT CALLBACK emptyWindow(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg != WM_PAINT) return DefWindowProcA(hwnd, msg, wp, lp);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  EndPaint(hwnd, &ps);
  return 0;
}

// Hidden, 566 x 365 inside a dialog frame, centred.
HWND makeWindow() {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = emptyWindow;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "NewsReference";
  RegisterClassA(&wc);
  const DWORD style = WS_POPUP | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU;
  const DWORD exStyle = WS_EX_APPWINDOW | WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
  RECT frame{0, 0, 566, 365};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  const int w = frame.right - frame.left, h = frame.bottom - frame.top;
  return CreateWindowExA(exStyle, wc.lpszClassName, "Reference", style,
                         (GetSystemMetrics(SM_CXSCREEN) - w) / 2,
                         (GetSystemMetrics(SM_CYSCREEN) - h) / 2, w, h, nullptr, nullptr,
                         wc.hInstance, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
  const bool window = argc == 6 && std::strcmp(argv[5], "window") == 0;
  if (argc != 5 && !window) {
    std::fprintf(stderr,
                 "usage: news_reference PORT HEADLINES_PATH BANNER_PATH GALLERY_PATH [window]\n");
    return 2;
  }
  WSADATA data;
  if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return 1;
  const int port = std::atoi(argv[1]);
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  HWND hwnd = window ? makeWindow() : nullptr;
  if (window && !hwnd) return 1;
  QueryPerformanceCounter(&start);
  if (hwnd) {
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
  }
  const std::string headlines = fetch(port, argv[2]);
  const size_t banner = firstGifFrame(fetch(port, argv[3]));
  const size_t gallery = jpegEighth(fetch(port, argv[4]));
  QueryPerformanceCounter(&end);
  WSACleanup();
  if (headlines.empty() || banner == 0 || gallery == 0) {
    std::fprintf(stderr, "news_reference: a file did not arrive or decode\n");
    return 1;
  }
  std::printf("%.4f\n", static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart);
  return 0;
}
