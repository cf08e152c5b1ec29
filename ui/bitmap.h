// Off-screen pictures of the window model: 24-bit colour held as 0x00RRGGBB words, top row
// first. The same layout as a 32-bit top-down device-independent bitmap, so the Win32 backend
// hands one to the system as it is.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace ui {

using Color = uint32_t;  // 0x00RRGGBB

constexpr Color rgb(int r, int g, int b) {
  return (static_cast<Color>(r & 255) << 16) | (static_cast<Color>(g & 255) << 8) |
         static_cast<Color>(b & 255);
}
constexpr Color kWhite = rgb(255, 255, 255);
constexpr Color kBlack = rgb(0, 0, 0);
constexpr Color kNavy = rgb(0, 0, 128);
constexpr Color kBlue = rgb(0, 0, 255);
constexpr Color kGray = rgb(128, 128, 128);

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  bool empty() const { return right <= left || bottom <= top; }
  bool operator==(const Rect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
  bool operator!=(const Rect& o) const { return !(*this == o); }
};

struct Size {
  int width = 0, height = 0;
};

class Bitmap {
 public:
  // Pictures larger than this are refused: no decoder or caller may make one.
  static constexpr int kMaxSide = 16384;
  static constexpr int64_t kMaxPixels = 64LL * 1024 * 1024;

  Bitmap() = default;
  Bitmap(int width, int height, Color fill = kWhite) { resize(width, height, fill); }
  // A bitmap whose pixels are left unset, for a caller that writes every one of them; empty
  // for sizes beyond the limits below.
  static Bitmap unfilled(int width, int height);

  Bitmap(const Bitmap& other);
  Bitmap& operator=(const Bitmap& other);
  Bitmap(Bitmap&& other) noexcept;
  Bitmap& operator=(Bitmap&& other) noexcept;

  // Returns false (and leaves the bitmap empty) for sizes beyond the limits above.
  bool resize(int width, int height, Color fill = kWhite);
  void clear() { resize(0, 0); }

  int width() const { return width_; }
  int height() const { return height_; }
  bool empty() const { return width_ == 0 || height_ == 0; }

  Color pixel(int x, int y) const { return data_[static_cast<size_t>(y) * width_ + x] & 0xFFFFFF; }
  void setPixel(int x, int y, Color c) { data_[static_cast<size_t>(y) * width_ + x] = c & 0xFFFFFF; }
  uint32_t* row(int y) { return data_ + static_cast<size_t>(y) * width_; }
  const uint32_t* row(int y) const { return data_ + static_cast<size_t>(y) * width_; }

  // Transparency as the framework has it: one colour of the picture that is not drawn.
  // With no colour set, the bottom-left pixel's colour is the transparent one.
  bool transparent = false;
  bool hasTransparentColor = false;
  Color transparentColorValue = kWhite;
  Color transparentColor() const;

 private:
  // Growing leaves new pixels unset: resize() fills them itself, and unfilled() has no fill
  // to pay for.
  template <class T>
  struct Unset : std::allocator<T> {
    template <class U>
    struct rebind {
      using other = Unset<U>;
    };
    template <class U>
    void construct(U* p) noexcept {
      ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... Args>
    void construct(U* p, Args&&... args) {
      ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
  };
  static bool fits(int width, int height);
  std::vector<uint32_t, Unset<uint32_t>> owned_;
  uint32_t* data_ = nullptr;
  int width_ = 0, height_ = 0;
};

}  // namespace ui
