#include "app/skinnedform.h"

namespace app {

SkinnedForm::SkinnedForm(App& app, std::string className, std::string name, int clientWidth, int clientHeight,
                         const std::string& caption, const std::string& background)
    : Form(app.ui, std::move(className), std::move(name), clientWidth, clientHeight), app_(app) {
  setCaption(caption);
  if (!background.empty()) background_ = app.skin().bitmap(background);
}

void SkinnedForm::FormPaint(ui::Canvas& canvas) { canvas.draw(0, 0, background_); }

}  // namespace app
