#include "tests/unit/codec_pictures.h"

#include <cstdio>
#include <cstdlib>
#include <gif_lib.h>
#include <jpeglib.h>

#include <algorithm>
#include <stdexcept>

namespace testpics {
namespace {

int appendOutput(GifFileType* gif, const GifByteType* data, int size) {
  static_cast<std::string*>(gif->UserData)->append(reinterpret_cast<const char*>(data), size);
  return size;
}

// giflib wants colour maps of a power-of-two size.
ColorMapObject* makeMap(const std::vector<ui::Color>& colours) {
  int size = 2;
  while (size < static_cast<int>(colours.size())) size *= 2;
  ColorMapObject* map = GifMakeMapObject(size, nullptr);
  for (int i = 0; i < size; ++i) {
    const ui::Color c = i < static_cast<int>(colours.size()) ? colours[i] : ui::kBlack;
    map->Colors[i] = GifColorType{static_cast<GifByteType>(c >> 16), static_cast<GifByteType>(c >> 8),
                                  static_cast<GifByteType>(c)};
  }
  return map;
}

void check(int rc, const char* what) {
  if (rc == GIF_ERROR) throw std::runtime_error(std::string("test GIF encoder: ") + what);
}

void putFrame(GifFileType* gif, const GifFramePlan& f) {
  if (f.control) {
    GraphicsControlBlock gcb{f.disposal, false, f.delayCs, f.transparent};
    GifByteType ext[4];
    EGifGCBToExtension(&gcb, ext);
    check(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, ext), "control");
  }
  ColorMapObject* local = f.localMap.empty() ? nullptr : makeMap(f.localMap);
  const int rc = EGifPutImageDesc(gif, f.left, f.top, f.width, f.height, f.interlace, local);
  GifFreeMapObject(local);
  check(rc, "image");
  std::vector<GifPixelType> row(f.width);
  auto put = [&](int y) {
    std::copy_n(f.pixels.begin() + static_cast<long>(y) * f.width, f.width, row.begin());
    check(EGifPutLine(gif, row.data(), f.width), "line");
  };
  if (!f.interlace) {
    for (int y = 0; y < f.height; ++y) put(y);
    return;
  }
  const int start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass)
    for (int y = start[pass]; y < f.height; y += step[pass]) put(y);
}

}  // namespace

GifFramePlan solidFrame(int left, int top, int width, int height, uint8_t index) {
  GifFramePlan f;
  f.left = left, f.top = top, f.width = width, f.height = height;
  f.pixels.assign(static_cast<size_t>(width) * height, index);
  return f;
}

std::string encodeGif(const GifPlan& picture) {
  std::string out;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, appendOutput, &error);
  if (!gif) throw std::runtime_error("test GIF encoder: open");
  EGifSetGifVersion(gif, picture.gif89);
  ColorMapObject* global = picture.globalMap.empty() ? nullptr : makeMap(picture.globalMap);
  const int rc = EGifPutScreenDesc(gif, picture.width, picture.height, 8, picture.background, global);
  GifFreeMapObject(global);
  check(rc, "screen");
  if (picture.loops >= 0) {
    const GifByteType loop[3] = {1, static_cast<GifByteType>(picture.loops & 255),
                                 static_cast<GifByteType>(picture.loops >> 8)};
    check(EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE), "loop");
    check(EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0"), "loop");
    check(EGifPutExtensionBlock(gif, 3, loop), "loop");
    check(EGifPutExtensionTrailer(gif), "loop");
  }
  for (const GifFramePlan& f : picture.frames) putFrame(gif, f);
  EGifCloseFile(gif, &error);
  if (!picture.trailer && !out.empty() && out.back() == ';') out.pop_back();
  return out;
}

std::string encodeJpeg(const JpegPlan& picture) {
  jpeg_compress_struct c{};
  jpeg_error_mgr err{};
  c.err = jpeg_std_error(&err);  // a test picture that fails to encode ends the test run
  jpeg_create_compress(&c);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &buffer, &size);
  c.image_width = picture.width;
  c.image_height = picture.height;
  const bool cmyk = picture.colour == JpegColour::Cmyk || picture.colour == JpegColour::Ycck;
  const bool grey = picture.colour == JpegColour::Grey, two = picture.colour == JpegColour::TwoChannels;
  c.input_components = cmyk ? 4 : grey ? 1 : two ? 2 : 3;
  c.in_color_space = cmyk ? JCS_CMYK : grey ? JCS_GRAYSCALE : two ? JCS_UNKNOWN : JCS_RGB;
  jpeg_set_defaults(&c);  // CMYK input is written as YCCK by default
  if (picture.colour == JpegColour::Cmyk) jpeg_set_colorspace(&c, JCS_CMYK);
  jpeg_set_quality(&c, picture.quality, TRUE);
  std::vector<jpeg_scan_info> script;
  if (picture.acScans >= 0) {
    script.push_back(jpeg_scan_info{c.num_components, {0, 1, 2, 3}, 0, 0, 0, 0});
    for (int i = 0; i < picture.acScans; ++i) {
      const int component = (i / 63) % c.num_components, band = 1 + i % 63;
      script.push_back(jpeg_scan_info{1, {component, 0, 0, 0}, band, band, 0, 0});
    }
    c.scan_info = script.data();
    c.num_scans = static_cast<int>(script.size());
  } else if (picture.progressive) {
    jpeg_simple_progression(&c);
  }
  jpeg_start_compress(&c, TRUE);
  std::vector<JSAMPLE> row(static_cast<size_t>(picture.width) * c.input_components);
  while (c.next_scanline < c.image_height) {
    const int y = static_cast<int>(c.next_scanline);
    for (int x = 0; x < picture.width; ++x) {
      const ui::Color p = picture.pixel(x, y);
      const int r = (p >> 16) & 255, g = (p >> 8) & 255, b = p & 255;
      JSAMPLE* px = &row[static_cast<size_t>(x) * c.input_components];
      if (grey) {
        px[0] = static_cast<JSAMPLE>((r + g + b) / 3);
      } else if (two) {
        px[0] = static_cast<JSAMPLE>(r), px[1] = static_cast<JSAMPLE>(g);
      } else if (cmyk) {
        // Stored the way Adobe's writers store them (inverted inks), as libjpeg marks it.
        const int k = std::min({255 - r, 255 - g, 255 - b});
        const int scale = 255 - k;
        auto ink = [&](int v) { return scale ? (255 - v - k) * 255 / scale : 0; };
        px[0] = static_cast<JSAMPLE>(255 - ink(r));
        px[1] = static_cast<JSAMPLE>(255 - ink(g));
        px[2] = static_cast<JSAMPLE>(255 - ink(b));
        px[3] = static_cast<JSAMPLE>(255 - k);
      } else {
        px[0] = static_cast<JSAMPLE>(r), px[1] = static_cast<JSAMPLE>(g), px[2] = static_cast<JSAMPLE>(b);
      }
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&c, rows, 1);
  }
  jpeg_finish_compress(&c);
  std::string out(reinterpret_cast<const char*>(buffer), size);
  jpeg_destroy_compress(&c);
  std::free(buffer);
  return out;
}

std::string withJpegSize(std::string jpeg, int width, int height) {
  for (size_t i = 2; i + 9 < jpeg.size(); ++i) {
    const auto m = static_cast<unsigned char>(jpeg[i + 1]);
    if (static_cast<unsigned char>(jpeg[i]) == 0xFF && (m == 0xC0 || m == 0xC2)) {
      jpeg[i + 5] = static_cast<char>(height >> 8), jpeg[i + 6] = static_cast<char>(height);
      jpeg[i + 7] = static_cast<char>(width >> 8), jpeg[i + 8] = static_cast<char>(width);
      return jpeg;
    }
  }
  throw std::runtime_error("test JPEG has no frame header");
}

int colourDistance(ui::Color a, ui::Color b) {
  int d = 0;
  for (int shift : {16, 8, 0}) d = std::max(d, std::abs(static_cast<int>((a >> shift) & 255) - static_cast<int>((b >> shift) & 255)));
  return d;
}

}  // namespace testpics
