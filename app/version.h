// The program's version and the maker's notice: shown by the about window and written into the
// program file's version resource, so that Windows and the process viewer read the same.
#pragma once

namespace app {

inline constexpr const char* kVersion = "1.21";
// The version as the resource's four numbers.
inline constexpr const char* kVersionNumbers = "1,21,0,0";
inline constexpr const char* kNoticeLine1 = "(c) Orvanta Works.";
inline constexpr const char* kNoticeLine2 = "All rights reserved.";

}  // namespace app
