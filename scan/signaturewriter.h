// The writing side of the signature lists, for the vendor's list tool: which plain lines can
// be stored so that the program reads them back unchanged, and the stored bytes of a list.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace scan {

// Why a plain line cannot be stored ("is empty", "is longer than 255 characters", "holds the
// byte 0x11, which would be stored as 0x0A", "holds the byte 0x00, which would end the line
// there"), or nullopt when it can.
std::optional<std::string> signatureLineProblem(std::string_view plain);

// Each line scrambled and ended with CR LF. The lines must have no problem.
std::string encodeSignatureList(const std::vector<std::string>& plainLines);

}  // namespace scan
