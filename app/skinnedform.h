// The common frame of the program's windows: a background picture from the skin painted at
// the top-left corner on every paint, and the window's hover latch.
#pragma once

#include <string>

#include "app/app.h"
#include "app/skin.h"
#include "ui/form.h"

namespace app {

class SkinnedForm : public ui::Form {
 public:
  // background: the skin name of the window's picture, empty for none.
  SkinnedForm(App& app, std::string className, std::string name, int clientWidth, int clientHeight,
              const std::string& caption, const std::string& background);

  bool hoverLatch = false;

 protected:
  App& app_;
  ui::Bitmap background_;
  const Skin& skin() const { return app_.skin(); }
  void FormPaint(ui::Canvas& canvas) override;
};

}  // namespace app
