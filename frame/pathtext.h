// Fitting a path into a label of fixed pixel width. The folders after the first part (the
// drive, a share's "\\server\share", or the root of a registry path) give way one at a time
// from the left to "...", so the start and the file name stay readable:
// "C:\Program Files\Vendor\Tool\x.exe" becomes "C:\...\Tool\x.exe", then "C:\...\x.exe". When
// even that is too wide the first part goes too ("...\x.exe"), and last the name stands alone.
#pragma once

#include <functional>
#include <string>

namespace frame {

// The width of a text in pixels, in the font of the label it is meant for.
using TextWidth = std::function<int(const std::string&)>;

// The path itself when it fits within width pixels; otherwise the first shortened form that
// fits, or the name alone when none does (the label clips that). A path without a folder to
// give up, or one that ends in a backslash, keeps its first part.
std::string fitPathToWidth(const std::string& path, int width, const TextWidth& measure);

}  // namespace frame
