// Fitting a path into a label of fixed pixel width. The folders after the first part (the
// drive, or the root of a registry path) give way one at a time from the left to "...", so
// the start and the file name stay readable: "C:\Program Files\Vendor\Tool\bin\x.exe" becomes
// "C:\...\Tool\bin\x.exe", then "C:\...\bin\x.exe", then "C:\...\x.exe".
#pragma once

#include <functional>
#include <string>

namespace frame {

// The width of a text in pixels, in the font of the label it is meant for.
using TextWidth = std::function<int(const std::string&)>;

// The path itself when it fits within width pixels; otherwise the first shortened form that
// fits, or "first part\...\file name" when none does (the label clips that).
std::string fitPathToWidth(const std::string& path, int width, const TextWidth& measure);

}  // namespace frame
