// The reference of bench/news: the least a program can do to get the news window's three
// files from the community server stand-in and decode the pictures, built like qexsys.exe: a
// blocking Winsock fetch of each file into memory, the GIF's first frame, and the JPEG at 1/8.
// Prints the seconds it took.
//
//   news_reference PORT HEADLINES_PATH BANNER_PATH GALLERY_PATH [window|news]
//
// With "window", it first shows and paints an empty window of the news window's size and
// frame, made before the clock starts as the program makes its windows at start-up: the
// least a program that must show a window does.
//
// With "news", it does in the least way what every news window must: it shows that window
// painted with the skin's news background (ulmres.dll in the current folder), downloads each
// file into Cache\ of the current folder as it arrives and reads it back from there, and
// paints the banner's first frame and the gallery thumbnail (the picture at 1/8, fitted into
// the thumbnail's square) at their places.
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

#include "bench/dialog_window.h"

namespace {

// A connection to the stand-in on loopback with the request for path sent, or INVALID_SOCKET.
SOCKET request(int port, const char* path) {
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(static_cast<u_short>(port));
  to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(s, reinterpret_cast<sockaddr*>(&to), sizeof to) != 0) {
    closesocket(s);
    return INVALID_SOCKET;
  }
  const std::string request = std::string("GET ") + path + " HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n";
  send(s, request.data(), static_cast<int>(request.size()), 0);
  return s;
}

std::string fetch(int port, const char* path) {
  SOCKET s = request(port, path);
  if (s == INVALID_SOCKET) return {};
  std::string reply;
  char buffer[64 * 1024];
  for (int n; (n = recv(s, buffer, sizeof buffer, 0)) > 0;) reply.append(buffer, static_cast<size_t>(n));
  closesocket(s);
  const size_t body = reply.find("\r\n\r\n");
  return body == std::string::npos ? std::string() : reply.substr(body + 4);
}

// Writes the file's body to path as it arrives and reads it back whole, as a download into
// the cache and its reading by the decoder.
std::string fetchThroughFile(int port, const char* path, const std::string& file) {
  HANDLE out = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (out == INVALID_HANDLE_VALUE) return {};
  SOCKET s = request(port, path);
  if (s == INVALID_SOCKET) {
    CloseHandle(out);
    return {};
  }
  std::string head;
  bool inBody = false;
  char buffer[64 * 1024];
  DWORD written = 0;
  for (int n; (n = recv(s, buffer, sizeof buffer, 0)) > 0;) {
    if (inBody) {
      WriteFile(out, buffer, static_cast<DWORD>(n), &written, nullptr);
      continue;
    }
    head.append(buffer, static_cast<size_t>(n));
    const size_t body = head.find("\r\n\r\n");
    if (body == std::string::npos) continue;
    inBody = true;
    WriteFile(out, head.data() + body + 4, static_cast<DWORD>(head.size() - body - 4), &written, nullptr);
  }
  closesocket(s);
  CloseHandle(out);
  HANDLE in = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (in == INVALID_HANDLE_VALUE) return {};
  std::string bytes(GetFileSize(in, nullptr), '\0');
  DWORD read = 0;
  const bool ok = bytes.empty() || ReadFile(in, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(in);
  return ok && read == bytes.size() ? bytes : std::string();
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

// A decoded picture as a 32-bit top-down DIB holds it.
struct Picture {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;
  bool empty() const { return pixels.empty(); }
};

// The first frame in the colours of its map.
Picture firstGifFrame(const std::string& bytes) {
  Memory in{bytes};
  int error = 0;
  GifFileType* gif = DGifOpen(&in, readGif, &error);
  if (!gif) return {};
  Picture picture;
  GifRecordType type;
  while (DGifGetRecordType(gif, &type) == GIF_OK && type != TERMINATE_RECORD_TYPE) {
    if (type == IMAGE_DESC_RECORD_TYPE) {
      if (DGifGetImageDesc(gif) != GIF_OK) break;
      const ColorMapObject* map = gif->Image.ColorMap ? gif->Image.ColorMap : gif->SColorMap;
      uint32_t palette[256] = {};
      for (int i = 0; map && i < map->ColorCount && i < 256; ++i)
        palette[i] = map->Colors[i].Red << 16 | map->Colors[i].Green << 8 | map->Colors[i].Blue;
      picture.width = gif->Image.Width;
      picture.height = gif->Image.Height;
      std::vector<GifPixelType> row(static_cast<size_t>(picture.width));
      for (int y = 0; y < picture.height; ++y) {
        if (DGifGetLine(gif, row.data(), picture.width) != GIF_OK) return {};
        for (GifPixelType index : row) picture.pixels.push_back(palette[index]);
      }
      break;
    }
    GifByteType* extension = nullptr;
    int code = 0;
    if (DGifGetExtension(gif, &code, &extension) != GIF_OK) break;
    while (extension && DGifGetExtensionNext(gif, &extension) == GIF_OK) {
    }
  }
  DGifCloseFile(gif, &error);
  return picture;
}

Picture jpegEighth(const std::string& bytes) {
  jpeg_decompress_struct d{};
  jpeg_error_mgr err{};
  d.err = jpeg_std_error(&err);
  jpeg_create_decompress(&d);
  jpeg_mem_src(&d, reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&d, TRUE);
  d.scale_num = 1;
  d.scale_denom = 8;
  d.dct_method = JDCT_IFAST;
  d.out_color_space = JCS_RGB;
  jpeg_start_decompress(&d);
  Picture picture;
  picture.width = static_cast<int>(d.output_width);
  picture.height = static_cast<int>(d.output_height);
  std::vector<unsigned char> row(static_cast<size_t>(d.output_width) * 3);
  while (d.output_scanline < d.output_height) {
    JSAMPROW rows[1] = {row.data()};
    jpeg_read_scanlines(&d, rows, 1);
    for (size_t x = 0; x < row.size(); x += 3)
      picture.pixels.push_back(row[x] << 16 | row[x + 1] << 8 | row[x + 2]);
  }
  jpeg_finish_decompress(&d);
  jpeg_destroy_decompress(&d);
  return picture;
}

// What the window paints: the skin's background, and each picture in its place once there.
struct Scene {
  HBITMAP background = nullptr;
  Picture banner, thumbnail;
  RECT bannerPlace{48, 271, 516, 331}, thumbnailPlace{};
} scene;

void paintPicture(HDC dc, const Picture& picture, const RECT& place) {
  if (picture.empty()) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = picture.width;
  info.bmiHeader.biHeight = -picture.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  StretchDIBits(dc, place.left, place.top, place.right - place.left, place.bottom - place.top, 0, 0,
                picture.width, picture.height, picture.pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
}

LRESULT CALLBACK newsWindow(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg != WM_PAINT) return DefWindowProcA(hwnd, msg, wp, lp);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  if (scene.background) {
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, scene.background);
    BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
           ps.rcPaint.bottom - ps.rcPaint.top, memory, ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
  } else {
    FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  paintPicture(dc, scene.banner, scene.bannerPlace);
  paintPicture(dc, scene.thumbnail, scene.thumbnailPlace);
  EndPaint(hwnd, &ps);
  return 0;
}

// The picture fitted into the thumbnail's square of 135 pixels, centred, as the window has it.
RECT thumbnailPlace(const Picture& p) {
  constexpr int kLeft = 242, kTop = 64, kSide = 135;
  if (p.height < p.width) {
    const int h = p.height * kSide / p.width;
    return RECT{kLeft, kTop + (kSide - h) / 2, kLeft + kSide, kTop + (kSide - h) / 2 + h};
  }
  const int w = p.width * kSide / p.height;
  return RECT{kLeft + (kSide - w) / 2, kTop, kLeft + (kSide - w) / 2 + w, kTop + kSide};
}

void show(HWND hwnd, Picture& into, Picture picture, const RECT& place) {
  into = std::move(picture);
  InvalidateRect(hwnd, &place, FALSE);
  UpdateWindow(hwnd);
}

}  // namespace

int main(int argc, char** argv) {
  const char* mode = argc == 6 ? argv[5] : "";
  const bool window = std::strcmp(mode, "window") == 0, news = std::strcmp(mode, "news") == 0;
  if (argc != 5 && !window && !news) {
    std::fprintf(stderr,
                 "usage: news_reference PORT HEADLINES_PATH BANNER_PATH GALLERY_PATH [window|news]\n");
    return 2;
  }
  WSADATA data;
  if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return 1;
  const int port = std::atoi(argv[1]);
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  // The skin and the window are there before the clock starts, as the program has them from
  // its start.
  HMODULE skin = news ? LoadLibraryA("ulmres.dll") : nullptr;
  if (news) {
    scene.background = skin ? static_cast<HBITMAP>(LoadImageA(skin, "news_today", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)) : nullptr;
    if (!scene.background || (!CreateDirectoryA("Cache", nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)) {
      std::fprintf(stderr, "news_reference: no skin background or no Cache folder\n");
      return 1;
    }
  }
  HWND hwnd = window || news ? makeDialogWindow("NewsReference", newsWindow, 566, 365) : nullptr;
  if ((window || news) && !hwnd) return 1;
  QueryPerformanceCounter(&start);
  if (hwnd) {
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
  }
  bool arrived = false;
  if (news) {
    arrived = !fetchThroughFile(port, argv[2], "Cache\\headlines.db").empty();
    Picture banner = firstGifFrame(fetchThroughFile(port, argv[3], "Cache\\temp.gif"));
    arrived = arrived && !banner.empty();
    show(hwnd, scene.banner, std::move(banner), scene.bannerPlace);
    Picture thumbnail = jpegEighth(fetchThroughFile(port, argv[4], "Cache\\gallery.jpg"));
    arrived = arrived && !thumbnail.empty();
    scene.thumbnailPlace = thumbnailPlace(thumbnail);
    show(hwnd, scene.thumbnail, std::move(thumbnail), scene.thumbnailPlace);
    GdiFlush();
  } else {
    const std::string headlines = fetch(port, argv[2]);
    const bool banner = !firstGifFrame(fetch(port, argv[3])).empty();
    arrived = !headlines.empty() && banner && !jpegEighth(fetch(port, argv[4])).empty();
  }
  QueryPerformanceCounter(&end);
  WSACleanup();
  if (!arrived) {
    std::fprintf(stderr, "news_reference: a file did not arrive or decode\n");
    return 1;
  }
  std::printf("%.4f\n", static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart);
  if (scene.background) DeleteObject(scene.background);
  if (skin) FreeLibrary(skin);
  return 0;
}
