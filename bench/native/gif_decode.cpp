// Timing helper for bench/gif: decodes FILE REPS times with our decoder (and shows every frame
// composited on the screen) and with bare DGifSlurp, alternating in one process, and prints the best
// milliseconds of each. The milliseconds are the thread's processor time, the kernel's work on
// its pages included: on a machine shared with other work it varies far less than the clock.
#include <gif_lib.h>

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "codecs/gif.h"
#include "codecs/gif_screen.h"

namespace {

struct Input {
  const std::string* bytes;
  size_t pos;
};

int readInput(GifFileType* gif, GifByteType* out, int wanted) {
  auto* in = static_cast<Input*>(gif->UserData);
  const size_t n = std::min(static_cast<size_t>(wanted), in->bytes->size() - in->pos);
  std::memcpy(out, in->bytes->data() + in->pos, n);
  in->pos += n;
  return static_cast<int>(n);
}

double now() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double slurp(const std::string& bytes) {
  const double start = now();
  Input in{&bytes, 0};
  int error = 0;
  GifFileType* gif = DGifOpen(&in, readInput, &error);
  if (!gif || DGifSlurp(gif) != GIF_OK) std::abort();
  const int frames = gif->ImageCount;
  DGifCloseFile(gif, &error);
  const double ms = now() - start;
  if (frames == 0) std::abort();
  return ms;
}

double ours(const std::string& bytes) {
  const double start = now();
  size_t frames = 0;
  {
    const codecs::GifAnimation a = codecs::decodeGif(bytes);
    codecs::GifScreen screen(a);
    for (frames = 0; frames < a.frames.size(); ++frames) screen.show(frames);
  }
  const double ms = now() - start;
  if (frames == 0) std::abort();
  return ms;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: gif_decode FILE [REPS]\n");
    return 2;
  }
  std::ifstream file(argv[1], std::ios::binary | std::ios::ate);
  if (!file) return 1;
  std::string bytes(static_cast<size_t>(file.tellg()), '\0');
  file.seekg(0);
  file.read(&bytes[0], static_cast<std::streamsize>(bytes.size()));
  const int reps = argc > 2 ? std::atoi(argv[2]) : 7;
  double best = 1e30, reference = 1e30;
  for (int i = 0; i < reps; ++i) {
    reference = std::min(reference, slurp(bytes));
    best = std::min(best, ours(bytes));
  }
  std::printf("%.3f %.3f\n", best, reference);
  return 0;
}
