// Texts the news window makes from numbers and records: the gallery's progress line, the
// gallery caption, and the advert rotation's index arithmetic.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace online::news {

// "Loading 999 bytes" below 1000 bytes, else "Loading 1,234 kb": whole thousands of bytes
// with the user's thousands separator between groups of three digits.
std::string progressText(int64_t receivedBytes, const std::string& thousandsSeparator);

// The gallery record's text1 as the caption under the picture: at most 22 characters, a
// longer text cut there and followed by "...".
constexpr size_t kGalleryCaptionLength = 22;
std::string galleryCaption(const std::string& text1);

// The stored rotation index brought into the list: -1 when there are no adverts, 0 when the
// index lies outside them.
int advertIndexInRange(int index, size_t count);
// The advert after index, the first one after the last; -1 when there are none.
int nextAdvertIndex(int index, size_t count);

}  // namespace online::news
