// Little-endian fields of the Windows file formats.
#pragma once

#include <cstdint>
#include <string_view>

namespace codecs {

// The caller has checked that the field lies inside the string.
inline uint32_t get16(std::string_view s, size_t at) {
  return static_cast<uint8_t>(s[at]) | static_cast<uint32_t>(static_cast<uint8_t>(s[at + 1])) << 8;
}
inline uint32_t get32(std::string_view s, size_t at) { return get16(s, at) | get16(s, at + 2) << 16; }

}  // namespace codecs
