// The news window.
#pragma once

#include "app/window.h"

class Tqextodayfrm : public app::Window {
 public:
  explicit Tqextodayfrm(app::App& app);

  // Open this window when the main window is first shown (setting "News", on by default).
  bool showNewsAtStart() const { return showNewsAtStart_; }

 protected:
  // The background picture is a tile repeated over the whole client area.
  void FormPaint(ui::Canvas& canvas) override;

 private:
  bool showNewsAtStart_ = true;
};
