#include "skin/sounds.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "skin/bytes.h"
#include "skin/paint.h"

namespace skin {
namespace {

using namespace bytes;


std::string wav(const std::vector<double>& samples) {
  const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
  std::string out = "RIFF";
  put32(out, 36 + dataBytes);
  out += "WAVEfmt ";
  put32(out, 16);
  put16(out, 1);  // PCM
  put16(out, 1);  // mono
  put32(out, kSampleRate);
  put32(out, kSampleRate * 2);
  put16(out, 2);
  put16(out, 16);
  out += "data";
  put32(out, dataBytes);
  for (double s : samples) {
    const auto v = static_cast<int16_t>(std::lround(std::clamp(s, -1.0, 1.0) * 32767));
    put16(out, static_cast<uint16_t>(v));
  }
  return out;
}

// A short fade at both ends, so the sound starts and stops without a click of its own.
void smoothEnds(std::vector<double>& s) {
  const size_t n = std::min<size_t>(s.size() / 2, kSampleRate / 500);
  for (size_t i = 0; i < n; ++i) {
    const double g = double(i) / n;
    s[i] *= g;
    s[s.size() - 1 - i] *= g;
  }
}

}  // namespace

std::string warningChime() {
  std::vector<double> s(static_cast<size_t>(kSampleRate * 0.7));
  struct Note {
    double start, freq, gain;
  };
  for (const Note& n : {Note{0.0, 880.0, 0.32}, Note{0.13, 659.25, 0.36}}) {
    for (size_t i = static_cast<size_t>(n.start * kSampleRate); i < s.size(); ++i) {
      const double t = double(i) / kSampleRate - n.start;
      const double env = std::min(1.0, t / 0.006) * std::exp(-t / 0.16);
      const double w = 2 * kPi * n.freq * t;
      s[i] += n.gain * env * (std::sin(w) + 0.25 * std::sin(2 * w) * std::exp(-t / 0.05) + 0.08 * std::sin(3 * w));
    }
  }
  smoothEnds(s);
  return wav(s);
}

std::string cameraClick() {
  std::vector<double> s(static_cast<size_t>(kSampleRate * 0.22));
  uint32_t seed = 0x2545F491u;  // fixed, so every build makes the same file
  auto noise = [&seed] {
    seed = seed * 1664525u + 1013904223u;
    return (seed >> 8) / double(1u << 24) * 2 - 1;
  };
  struct Click {
    double start, gain;
  };
  for (const Click& c : {Click{0.0, 0.8}, Click{0.075, 0.55}}) {
    double previous = 0;
    for (size_t i = static_cast<size_t>(c.start * kSampleRate); i < s.size(); ++i) {
      const double t = double(i) / kSampleRate - c.start;
      if (t > 0.04) break;
      const double n = noise(), bright = n - previous;  // differenced noise: a hard, bright tick
      previous = n;
      const double thump = std::sin(2 * kPi * 190 * t) * std::exp(-t / 0.008);
      s[i] += c.gain * (0.6 * bright * std::exp(-t / 0.0025) + 0.5 * thump);
    }
  }
  smoothEnds(s);
  return wav(s);
}

}  // namespace skin
