#include "frame/scrollbar.h"

#include <algorithm>

#include "frame/toollook.h"

namespace frame {

ScrollBar::ScrollBar(ui::Form& owner, std::string name, const ui::Rect& bounds)
    : Control(owner, std::move(name), bounds) {
  setVisible(false);
  onMouseDown = [this](int, int y) { pressed(y); };
  onMouseMove = [this](int, int y) { dragged(y); };
  onMouseUp = [this](int, int) { grab_.reset(); };
}

void ScrollBar::setRange(int rows, int page) {
  rows_ = std::max(rows, 0);
  page_ = std::max(page, 1);
  grab_.reset();
  setVisible(rows_ > page_);
  const int first = std::min(position_, last());
  if (first != position_) {
    position_ = first;
    if (onScroll) onScroll();
  }
  changed();
}

void ScrollBar::scrollTo(int first) {
  first = std::clamp(first, 0, last());
  if (first == position_) return;
  position_ = first;
  changed();
  if (onScroll) onScroll();
}

void ScrollBar::wheel(int delta) {
  // A turn back the other way starts afresh, rather than first undoing what was kept.
  if ((wheelRest_ > 0) != (delta > 0)) wheelRest_ = 0;
  wheelRest_ += delta;
  const int notches = wheelRest_ / kNotch;
  wheelRest_ -= notches * kNotch;
  scrollTo(position_ - notches * kRowsPerNotch);
}

int ScrollBar::thumbLength() const {
  const int track = trackLength();
  if (rows_ <= 0) return track;
  return std::clamp(track * page_ / rows_, std::min(kMinThumb, track), track);
}

int ScrollBar::thumbTop() const {
  const int room = trackLength() - thumbLength();
  return kWidth + (last() > 0 ? room * position_ / last() : 0);
}

void ScrollBar::pressed(int y) {
  if (y < kWidth) return scrollTo(position_ - 1);
  if (y >= height() - kWidth) return scrollTo(position_ + 1);
  const int top = thumbTop();
  if (y < top) return scrollTo(position_ - page_);
  if (y >= top + thumbLength()) return scrollTo(position_ + page_);
  grab_ = y - top;
}

void ScrollBar::dragged(int y) {
  if (!grab_) return;
  const int room = trackLength() - thumbLength();
  if (room <= 0) return;
  // To the nearest row, so that the thumb stays under the mouse.
  const int along = std::clamp(y - *grab_ - kWidth, 0, room);
  scrollTo((along * last() + room / 2) / room);
}

void ScrollBar::paint(ui::Canvas& canvas) {
  const ui::Rect& r = bounds();
  canvas.brush = toollook::kFramePen;
  canvas.pen = toollook::kFramePen;
  canvas.roundRect(r, 6, 6);
  canvas.brush = toollook::kBarFill;
  canvas.pen = toollook::kListBack;
  const int top = r.top + thumbTop();
  canvas.roundRect(ui::Rect{r.left + 1, top, r.right - 1, top + thumbLength()}, 5, 5);
  // The arrows: white triangles of three rows, pointing away from the trough.
  canvas.brush = ui::kWhite;
  const int middle = r.left + kWidth / 2;
  for (int i = 0; i < 3; ++i) {
    const int up = r.top + 3 + i, down = r.bottom - 4 - i;
    canvas.fillRect(ui::Rect{middle - i, up, middle + i + 1, up + 1});
    canvas.fillRect(ui::Rect{middle - i, down, middle + i + 1, down + 1});
  }
}

std::optional<std::string> ScrollBar::property(const std::string& name) const {
  if (name == "position") return std::to_string(position_);
  return Control::property(name);
}

}  // namespace frame
