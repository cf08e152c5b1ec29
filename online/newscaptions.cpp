#include "online/newscaptions.h"

#include "platform/text.h"

namespace online::news {

std::string progressText(int64_t receivedBytes, const std::string& thousandsSeparator) {
  if (receivedBytes < 1000) return "Loading " + std::to_string(receivedBytes) + " bytes";
  return "Loading " + platform::groupThousands(static_cast<uint64_t>(receivedBytes / 1000), thousandsSeparator) +
         " kb";
}

std::string galleryCaption(const std::string& text1) {
  if (text1.size() <= kGalleryCaptionLength) return text1;
  return text1.substr(0, kGalleryCaptionLength) + "...";
}

int advertIndexInRange(int index, size_t count) {
  if (count == 0) return -1;
  return index < 0 || static_cast<size_t>(index) >= count ? 0 : index;
}

int nextAdvertIndex(int index, size_t count) {
  const int current = advertIndexInRange(index, count);
  if (current < 0) return -1;
  return static_cast<size_t>(current) + 1 == count ? 0 : current + 1;
}

}  // namespace online::news
