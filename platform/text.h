// Small text helpers of the ANSI world: blanks, and numbers as the framework reads and writes
// them. Letter case lives in platform/textcase.h.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

std::string trim(const std::string& s);
// A 32-bit integer in decimal (optionally signed) or hexadecimal with "$" or "0x"; nullopt
// for anything else or a value out of range. Leading blanks are allowed, trailing ones not.
std::optional<int32_t> parseInteger(const std::string& s);

}  // namespace platform
