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
  // The window's picture, painted from the skin library's own bytes at every painting: a
  // decoded copy would cost four bytes a pixel for as long as the window lives.
  const std::string& backgroundName() const { return backgroundName_; }
  void FormPaint(ui::Canvas& canvas) override;

 private:
  const Skin& skin_;
  std::string backgroundName_;
};

}  // namespace frame
