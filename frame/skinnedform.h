// The common frame of the program's windows: a background picture from the skin painted at
// the top-left corner on every paint, and the window's hover latch, which lets one of its
// buttons or links at a time show its hover state.
#pragma once

#include <string>

#include "frame/skin.h"
#include "ui/form.h"

namespace frame {

class SkinnedForm : public ui::Form {
 public:
  // background: the skin name of the window's picture, empty for none.
  SkinnedForm(ui::Application& app, const Skin& skin, std::string className, std::string name, int clientWidth,
              int clientHeight, const std::string& caption, const std::string& background);

  bool hoverLatch = false;
  const Skin& skin() const { return skin_; }

 protected:
  // The window's picture, made when the window is first shown: most windows of a run never
  // are, and each picture costs four bytes a pixel.
  const ui::Bitmap& background();
  void prepareToShow() override { background(); }
  void FormPaint(ui::Canvas& canvas) override;

 private:
  const Skin& skin_;
  std::string backgroundName_;
  ui::Bitmap background_;
};

}  // namespace frame
