// The news window.
#pragma once

#include "app/skinnedform.h"

class Tqextodayfrm : public app::SkinnedForm {
 public:
  explicit Tqextodayfrm(app::App& app);

 protected:
  // The background picture is a tile repeated over the whole client area.
  void FormPaint(ui::Canvas& canvas) override;
};
