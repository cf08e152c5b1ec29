// The writing side of headlines.db, for the vendor's headline tool: which texts can be stored
// so that the program reads them back unchanged, and the stored bytes of a file.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "online/headlines.h"

namespace online {

// Why a text cannot be stored as a record's text1 (firstField) or as text2/text3 ("holds the
// byte 0x1B, which would end the text there"), or nullopt when it can.
std::optional<std::string> headlineTextProblem(std::string_view text, bool firstField);

// Every record's three fields, each its length, its scrambled bytes and a zero.
std::string encodeHeadlines(const std::vector<HeadlineRecord>& records);

}  // namespace online
