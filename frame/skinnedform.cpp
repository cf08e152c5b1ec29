#include "frame/skinnedform.h"

namespace frame {

SkinnedForm::SkinnedForm(ui::Application& app, const Skin& skin, std::string className, std::string name,
                         int clientWidth, int clientHeight, const std::string& caption,
                         const std::string& background)
    : Form(app, std::move(className), std::move(name), clientWidth, clientHeight), skin_(skin) {
  setCaption(caption);
  // A skin without the picture fails here, when the window is made, not at a painting.
  if (!background.empty()) skin.check(background);
  backgroundName_ = background;
}

void SkinnedForm::FormPaint(ui::Canvas& canvas) {
  if (!backgroundName_.empty()) skin_.paint(canvas, 0, 0, backgroundName_);
}

}  // namespace frame
