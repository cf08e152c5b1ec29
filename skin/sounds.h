// The skin's two sounds, synthesised: short PCM WAV files as PlaySoundA takes them from a
// WAVE resource.
#pragma once

#include <string>

namespace skin {

constexpr int kSampleRate = 22050;  // 16-bit mono

std::string warningChime();  // "warning": a soft two-note chime
std::string cameraClick();   // "photoclick": a shutter's two clicks

}  // namespace skin
