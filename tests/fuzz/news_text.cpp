// The three small texts of the headline file's fields: the advert list, the gallery links
// and the news link, each parsed from the same bytes with what must hold of the parts.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "online/newstext.h"

namespace {

bool has(const std::string& s, char c) { return s.find(c) != std::string::npos; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  online::NewsText state;
  online::AdvertList adverts;
  online::ParseAdvertList(text, state, adverts);
  const size_t lines = std::count(text.begin(), text.end(), '\n');
  if (adverts.count() != std::min(lines, online::kMaxAdverts)) std::abort();
  for (size_t i = 0; i < adverts.count(); ++i) {
    const auto& a = adverts.at(i);
    if (has(a.imageUrl, '|') || has(a.clickUrl, '|') || has(a.imageUrl, '\n') || has(a.clickUrl, '\n') ||
        has(a.hint, '\n'))
      std::abort();
    for (const std::string* part : {&a.imageUrl, &a.clickUrl, &a.hint})
      if (part->size() > online::kMaxAdvertPart) std::abort();
  }

  online::SplitGalleryLinks(text, state);
  if (has(state.authorLink, '|') || has(state.pictureLink, '|')) std::abort();
  const auto bars = std::count(text.begin(), text.end(), '|');
  const std::string joined = bars >= 2   ? state.authorLink + "|" + state.pictureLink + "|" + state.galleryImageUrl
                             : bars == 1 ? state.authorLink + "|" + state.galleryImageUrl
                                         : state.galleryImageUrl;
  if (joined != text) std::abort();

  online::SplitNewsLink(text, state);
  if (has(state.newsLinkUrl, '|') || has(state.newsLinkCaption, '|')) std::abort();
  if (!text.empty() && text.compare(text.size() - state.newsLinkUrl.size(), std::string::npos, state.newsLinkUrl) != 0)
    std::abort();
  return 0;
}
