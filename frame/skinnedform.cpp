#include "frame/skinnedform.h"

namespace frame {

SkinnedForm::SkinnedForm(ui::Application& app, const Skin& skin, std::string className, std::string name,
                         int clientWidth, int clientHeight, const std::string& caption,
                         const std::string& background)
    : Form(app, std::move(className), std::move(name), clientWidth, clientHeight), skin_(skin) {
  setCaption(caption);
  if (!background.empty()) background_ = skin.bitmap(background);
}

void SkinnedForm::FormPaint(ui::Canvas& canvas) { canvas.draw(0, 0, background_); }

}  // namespace frame
