#include "skin/iconfiles.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "skin/bytes.h"
#include "skin/look.h"
#include "ui/bitmap.h"

namespace skin {
namespace {

using namespace bytes;


// The image of an icon or cursor entry: its header gives twice the height, for the colour
// rows and the AND mask that follows them.
void infoHeader(std::string& out, int size, int bits, uint32_t imageBytes) {
  put32(out, 40);
  put32(out, static_cast<uint32_t>(size));
  put32(out, static_cast<uint32_t>(size * 2));
  put16(out, 1);
  put16(out, static_cast<uint32_t>(bits));
  put32(out, 0);
  put32(out, imageBytes);
  put32(out, 0);
  put32(out, 0);
  put32(out, 0);
  put32(out, 0);
}

// Rows of 1-bit pixels, bottom-up, padded to four bytes.
std::string maskRows(int size, const std::vector<bool>& bits) {
  const int stride = ((size + 31) / 32) * 4;
  std::string out;
  for (int y = size - 1; y >= 0; --y) {
    std::string row(stride, '\0');
    for (int x = 0; x < size; ++x)
      if (bits[y * size + x]) row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
    out += row;
  }
  return out;
}

// X outline, o fill, anything else transparent.
const char* const kHand[] = {
    ".....XX",
    "....XooX",
    "....XooX",
    "....XooX",
    "....XooXXX",
    "....XooXooXXX",
    "....XooXooXooXX",
    ".XX.XooXooXooXoX",
    "XooXXooooooooooX",
    "XoooXooooooooooX",
    ".XoooooooooooooX",
    "..XooooooooooooX",
    "..XoooooooooooX",
    "...XooooooooooX",
    "...XoooooooooX",
    "....XooooooooX",
    "....XooooooooX",
    "....XXXXXXXXXX",
};

char handAt(int x, int y) {
  if (y >= static_cast<int>(sizeof kHand / sizeof kHand[0])) return '.';
  const std::string row = kHand[y];
  return x < static_cast<int>(row.size()) ? row[x] : '.';
}

}  // namespace

std::string handCursorFile() {
  const int n = kCursorSize;
  std::vector<bool> white(n * n), transparent(n * n);
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) {
      const char c = handAt(x, y);
      white[y * n + x] = c == 'o';
      transparent[y * n + x] = c != 'o' && c != 'X';
    }
  std::string image;
  const std::string colour = maskRows(n, white), mask = maskRows(n, transparent);
  infoHeader(image, n, 1, static_cast<uint32_t>(colour.size() + mask.size()));
  put32(image, 0x000000);  // colour 0: black
  put32(image, 0xFFFFFF);  // colour 1: white
  image += colour + mask;

  std::string out;
  put16(out, 0);
  put16(out, 2);  // cursor
  put16(out, 1);
  out += static_cast<char>(n);
  out += static_cast<char>(n);
  out += static_cast<char>(2);  // colours
  out += '\0';
  put16(out, kHandHotX);
  put16(out, kHandHotY);
  put32(out, static_cast<uint32_t>(image.size()));
  put32(out, 22);
  return out + image;
}

std::string appIconFile() {
  const int sizes[] = {16, 32, 48};
  std::vector<std::string> images;
  for (int n : sizes) {
    // Painted once on black and once on white: the difference is the coverage, so the mark's
    // smoothed edges become real alpha.
    ui::Bitmap onBlack(n, n, ui::kBlack), onWhite(n, n, ui::kWhite);
    look::mark(onBlack, 0, 0, n);
    look::mark(onWhite, 0, 0, n);
    std::string pixels;
    std::vector<bool> clear(n * n);
    for (int y = n - 1; y >= 0; --y)
      for (int x = 0; x < n; ++x) {
        const ui::Color b = onBlack.pixel(x, y), w = onWhite.pixel(x, y);
        const int gap = (((w >> 16) & 255) - ((b >> 16) & 255) + ((w >> 8) & 255) - ((b >> 8) & 255) + (w & 255) - (b & 255)) / 3;
        const int alpha = 255 - gap;
        clear[y * n + x] = alpha == 0;
        auto unmix = [alpha](int c) { return alpha ? std::min(255, c * 255 / alpha) : 0; };
        pixels += static_cast<char>(unmix(b & 255));
        pixels += static_cast<char>(unmix((b >> 8) & 255));
        pixels += static_cast<char>(unmix((b >> 16) & 255));
        pixels += static_cast<char>(alpha);
      }
    std::string image;
    const std::string mask = maskRows(n, clear);
    infoHeader(image, n, 32, static_cast<uint32_t>(pixels.size() + mask.size()));
    images.push_back(image + pixels + mask);
  }
  std::string out;
  put16(out, 0);
  put16(out, 1);  // icon
  put16(out, static_cast<uint32_t>(images.size()));
  uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    out += static_cast<char>(sizes[i]);
    out += static_cast<char>(sizes[i]);
    out += '\0';  // no palette
    out += '\0';
    put16(out, 1);
    put16(out, 32);
    put32(out, static_cast<uint32_t>(images[i].size()));
    put32(out, offset);
    offset += static_cast<uint32_t>(images[i].size());
  }
  for (const std::string& image : images) out += image;
  return out;
}

}  // namespace skin
