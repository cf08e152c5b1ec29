// Little-endian fields of the Windows file formats the skin writes.
#pragma once

#include <cstdint>
#include <string>

namespace skin::bytes {

inline void put16(std::string& out, uint32_t v) {
  out += static_cast<char>(v & 255);
  out += static_cast<char>((v >> 8) & 255);
}
inline void put32(std::string& out, uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

}  // namespace skin::bytes
