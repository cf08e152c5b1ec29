// The seven signature lists beside the program: where they lie, and how a list's bytes become
// the scrambled lines that the scan unscrambles one at a time.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/bounded_read.h"
#include "platform/files.h"

namespace scan {

// One list per scan phase, in the order the phases run.
inline constexpr std::array<const char*, 7> kSignatureListNames = {
    "ThreatData.db",    "ThreatDataExt1.db", "ThreatDataExt2.db", "SysDataExt2.db",
    "ThreatDataExt3.db", "SysDataExt3.db",    "SysDataExt1.db",
};

// The longest entry, in plain characters: what the list format allows.
inline constexpr size_t kMaxSignatureLine = 255;
// The largest list read. At the scan's pace of one entry per 10 ms this is hours of scanning,
// far beyond any real list; a larger file is damaged or not a list, and is refused whole
// rather than read into memory.
inline constexpr uint64_t kMaxSignatureFile = 4 * 1024 * 1024;

// programDir ends with a backslash.
std::string signatureListPath(const std::string& programDir, const std::string& listName);

// Lines as Windows text files hold them: CR LF, a lone CR and a lone LF each end a line, and
// a line end at the very end does not begin another, empty line.
std::vector<std::string> splitLines(std::string_view bytes);

// Whether a stored (scrambled) line is an entry at all. Empty lines, lines longer than
// kMaxSignatureLine and lines holding a byte that unscrambles to zero are not: each of them,
// used, would look up something other than what was listed, the cut or empty text of a key
// line naming a parent key that the scan deletes with everything below it. Such lines are
// passed over; the list writer never produces them.
bool isSignatureEntry(std::string_view stored);

struct SignatureList {
  using Status = platform::BoundedRead::Status;
  Status status = Status::Missing;
  std::vector<std::string> lines;  // the entries, still scrambled, in file order
  size_t passedOver = 0;           // lines that were not entries
};

// The entries of a list's bytes.
SignatureList parseSignatureList(std::string_view bytes);

// Reads the list at path. Missing: no such file. Unreadable and TooLarge: the scan reports
// signatureListError and ends at this phase.
SignatureList loadSignatureList(platform::Files& files, const std::string& path);

// The text of the error box for a list that could not be read (Unreadable or TooLarge).
std::string signatureListError(const SignatureList& list, const std::string& path);

}  // namespace scan
