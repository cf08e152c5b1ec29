#include "frame/standardbutton.h"

namespace frame {

StandardButton::StandardButton(const Skin& skin, ui::Image& face, ui::Label& caption, bool& hoverLatch, int x,
                               int y, const std::string& text, std::function<void()> action)
    : button_(skin, face, "stand_btn", hoverLatch), face_(face), caption_(caption) {
  face_.setAutoSize(true);
  face_.setBounds({x, y, x + kWidth, y + kHeight});
  button_.normal();
  caption_.setAutoSize(false);
  caption_.setAlignment(ui::Align::Center);
  caption_.setFont(ui::Font::pixels("Verdana", 9, true, ui::kGray));
  caption_.setBounds({x, y + 6, x + kWidth, y + 18});
  caption_.setCaption(text);
  button_.bind(face_, action);
  button_.bind(caption_, std::move(action));
}

void StandardButton::setEnabled(bool enabled) {
  face_.setEnabled(enabled);
  caption_.setEnabled(enabled);
}

}  // namespace frame
