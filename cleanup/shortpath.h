// The cleaner's way of fitting a long path into its label: the folders after the drive give
// way to "\...\" one at a time from the left ("C:\a\b\f.txt", "C:\...\b\f.txt",
// "C:\...\f.txt"), then the drive goes too ("...\f.txt"), and last the file name stands alone.
// It stops at the first text that fits.
#pragma once

#include <functional>
#include <string>

namespace cleanup {

// measure gives the width of a text in pixels, in the label's font.
std::string shortenPath(const std::string& path, int width, const std::function<int(const std::string&)>& measure);

}  // namespace cleanup
