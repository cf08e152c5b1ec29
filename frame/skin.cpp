#include "frame/skin.h"

#include "codecs/dib.h"

namespace frame {

ui::Bitmap Skin::bitmap(const std::string& name) const {
  auto data = library_->resource(platform::ResourceType::Bitmap, name);
  if (!data) throw ResourceError(name);
  auto picture = codecs::decodeDib(*data);
  if (!picture.ok()) throw ResourceError(name);
  return std::move(picture.bitmap);
}

void Skin::check(const std::string& name) const {
  auto data = library_->resource(platform::ResourceType::Bitmap, name);
  if (!data || !codecs::dibError(*data).empty()) throw ResourceError(name);
}

std::optional<ui::Size> Skin::paint(ui::Canvas& canvas, int x, int y, const std::string& name) const {
  auto data = library_->resource(platform::ResourceType::Bitmap, name);
  if (!data) return std::nullopt;
  // The canvas's target holds the part of the window from its origin on.
  const int ox = canvas.originX(), oy = canvas.originY();
  ui::Rect area = canvas.clipped(ui::Rect{x, y, x + ui::Bitmap::kMaxSide, y + ui::Bitmap::kMaxSide});
  area = ui::Rect{area.left - ox, area.top - oy, area.right - ox, area.bottom - oy};
  return codecs::drawDib(*data, canvas.bitmap(), x - ox, y - oy, area);
}

void Skin::load(ui::Image& image, const std::string& name) const {
  // The same picture again (the dashboard's links and badge every ten seconds) is neither
  // decoded nor painted again.
  if (!name.empty() && image.pictureName() == name && !image.picture().empty()) return;
  image.setPicture(bitmap(name), name);
}

void Skin::play(const std::string& name) const { sound_.play(*library_, name); }

}  // namespace frame
