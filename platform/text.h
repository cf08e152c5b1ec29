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
// A whole number with its thousands grouped by separator ("#,##0": "1,234,567").
std::string groupThousands(uint64_t value, const std::string& separator);
// A number with two decimals and the user's decimal separator ("0.00"); a value beyond any
// disk still prints in full.
std::string twoDecimals(double value, char decimalSeparator);

}  // namespace platform
