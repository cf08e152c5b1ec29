#include "online/newstext.h"

#include <utility>

namespace online {

void ParseAdvertList(const std::string& text, NewsText& state, AdvertList& adverts) {
  enum class Part { Image, Click, Hint } part = Part::Image;
  std::string accumulator;
  for (char c : text) {
    if (c == '|' && part == Part::Image) {
      state.advertImage = std::move(accumulator);
      accumulator.clear();
      part = Part::Click;
    } else if (c == '|' && part == Part::Click) {
      state.advertClick = std::move(accumulator);
      accumulator.clear();
      part = Part::Hint;
    } else if (c == '\n') {
      adverts.Add(state.advertImage, state.advertClick, accumulator);
      if (adverts.count() >= kMaxAdverts) return;
      accumulator.clear();
      part = Part::Image;
    } else if (accumulator.size() < kMaxAdvertPart) {
      accumulator += c;
    }
  }
}

void SplitGalleryLinks(const std::string& text, NewsText& state) {
  state.authorLink.clear();
  state.pictureLink.clear();
  state.galleryImageUrl.clear();
  int separators = 0;
  for (char c : text) {
    if (c == '|' && separators < 2) {
      ++separators;
      (separators == 1 ? state.authorLink : state.pictureLink) = std::move(state.galleryImageUrl);
      state.galleryImageUrl.clear();
    } else {
      state.galleryImageUrl += c;
    }
  }
}

void SplitNewsLink(const std::string& text, NewsText& state) {
  if (text.empty()) return;
  std::string accumulator;
  for (char c : text) {
    if (c == '|') {
      state.newsLinkCaption = std::move(accumulator);
      accumulator.clear();
    } else {
      accumulator += c;
    }
  }
  state.newsLinkUrl = std::move(accumulator);
}

}  // namespace online
