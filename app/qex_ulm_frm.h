// The main window: the dashboard and hub of the program. It owns the skin library, the tray
// icon and its menu, and the facts the tools read from it.
#pragma once

#include <memory>
#include <string>

#include "app/skinnedform.h"

class Tqex_ulm_frm : public app::SkinnedForm {
 public:
  static constexpr uint32_t kTrayId = 1005;
  static constexpr unsigned kTrayMessage = 2025;

  explicit Tqex_ulm_frm(app::App& app);
  ~Tqex_ulm_frm() override;

  // The skin library, loaded first of all; every window takes its pictures from it.
  std::unique_ptr<app::Skin> skinModule;
  const app::Skin& skin() const { return *skinModule; }

  // Cleanup choices: true means the item is excluded from cleaning.
  bool excludeTemporary = false, excludeRecycle = false, excludeNorton = false;

  ui::Timer Timer1{*this, "Timer1", 10};
  ui::Timer Timer2{*this, "Timer2", 10000};
  ui::Timer Timer4{*this, "Timer4", 10};
  ui::PopupMenu PopupMenu1{*this, "PopupMenu1"};

  // Shows the window again from the tray.
  void restoreFromTray();

 private:
  std::string rememberedArgument_;

  void buildTrayMenu();
  void FormPaint(ui::Canvas& canvas) override;
  void FormClose(ui::CloseAction& action) override;
  void FormHide() override;
  void FormTrayMessage(unsigned message) override;
};
