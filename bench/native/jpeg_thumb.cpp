// Timing helper for bench/jpeg. "jpeg_thumb FILE thumb" makes the gallery thumbnail of FILE once
// (the work a djpeg run does at 1/8, plus the fitting); "jpeg_thumb FILE scales REPS" decodes at
// 1/1 and 1/8 REPS times each, alternating, and prints the best milliseconds of each.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "codecs/jpeg.h"
#include "codecs/thumbnail.h"

namespace {

// One read of the whole file, as the platform's readFile does.
std::string readAll(const char* path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) std::exit(1);
  std::string bytes(static_cast<size_t>(in.tellg()), '\0');
  in.seekg(0);
  in.read(&bytes[0], static_cast<std::streamsize>(bytes.size()));
  return bytes;
}

double millisecondsOf(const std::string& bytes, int denominator) {
  const auto start = std::chrono::steady_clock::now();
  const ui::Bitmap b = codecs::decodeJpeg(bytes, denominator);
  const auto end = std::chrono::steady_clock::now();
  if (b.empty()) std::abort();
  return std::chrono::duration<double, std::milli>(end - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: jpeg_thumb FILE thumb | FILE scales REPS\n");
    return 2;
  }
  const std::string mode = argv[2];
  if (mode == "thumb") {
    const codecs::Thumbnail t = codecs::MakeThumbnail(readAll(argv[1]), 135);
    std::printf("%dx%d\n", t.width, t.height);
    return 0;
  }
  const std::string bytes = readAll(argv[1]);
  const int reps = argc > 3 ? std::atoi(argv[3]) : 5;
  double full = 1e30, eighth = 1e30;
  for (int i = 0; i < reps; ++i) {
    full = std::min(full, millisecondsOf(bytes, 1));
    eighth = std::min(eighth, millisecondsOf(bytes, 8));
  }
  std::printf("%.3f %.3f\n", full, eighth);
  return 0;
}
