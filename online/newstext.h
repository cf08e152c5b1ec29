// The small texts carried inside the headline file's fields, split with "|" (and LF for the
// advert list), and the parts that the news window keeps from them.
//
// The parsers run in well under a millisecond on any text the headline file can hold, so they
// do not hand control back to the window while they work: a window message handled in the
// middle (a close clearing the lists) would otherwise see a half-built advert list.
#pragma once

#include <cstddef>
#include <string>

#include "online/adverts.h"

namespace online {

// Owned by the news window. Some parts outlive one parse, by design: an advert line with
// fewer than two "|" keeps the image and click URLs of the line before, and a news link
// without "|" keeps the caption it had.
struct NewsText {
  std::string advertImage, advertClick;
  std::string authorLink, pictureLink, galleryImageUrl;
  std::string newsLinkCaption, newsLinkUrl;
};

// The adverts kept from one list, and the characters kept of each part. A banner shows one
// advert for 30 seconds, and a part is a URL or a hint; a list past these is made to fill the
// machine, as a million short lines would, each taking a copy of the parts of the line before.
inline constexpr size_t kMaxAdverts = 100;
inline constexpr size_t kMaxAdvertPart = 2048;

// Lines "image|click|hint", each ended by LF, appended to adverts in order, up to kMaxAdverts;
// a part longer than kMaxAdvertPart keeps its start. The hint runs to the LF and keeps
// further "|" and a CR; text after the last LF is not an advert.
void ParseAdvertList(const std::string& text, NewsText& state, AdvertList& adverts);

// "author link|picture link|image URL"; the image URL runs to the end and keeps further "|".
// All three parts start empty.
void SplitGalleryLinks(const std::string& text, NewsText& state);

// "caption|URL": the URL is the text after the last "|", the caption the text between that
// "|" and the one before it (or the start).
void SplitNewsLink(const std::string& text, NewsText& state);

}  // namespace online
