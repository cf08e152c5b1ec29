#include "app/qex_ulm_frm.h"

#include "app/aboutfrm.h"
#include "cleanup/deletefrm.h"
#include "monitor/preffrm.h"
#include "online/qextodayfrm.h"
#include "process/systemprofrm.h"
#include "scan/deepscanfrm.h"
#include "startup/startfrm.h"
#include "ui/dialogs.h"

namespace {
constexpr unsigned kLButtonDblClk = 0x203, kRButtonUp = 0x205;
}

Tqex_ulm_frm::Tqex_ulm_frm(app::App& app)
    : SkinnedForm(app, "Tqex_ulm_frm", "qex_ulm_frm", 700, 450, "Orvanta Works", "") {
  font = ui::Font::points("Verdana", 8);
  auto library = app.sys.libraries().load(app::Skin::kFileName);
  if (!library) {
    app.ui.messageBox(this, "An error occured when trying to locate the file 'ulmres.dll'.", app::App::kTitle,
                      ui::kMbOk | ui::kMbIconWarning);
    hide();
    app.ui.terminate();
    return;
  }
  skinModule = std::make_unique<app::Skin>(std::move(library), app.sys.sound());
  app.ui.setTray(ui::TrayIcon{true, kTrayId, kTrayMessage, app::App::kTitle, 1, this});
  buildTrayMenu();
  background_ = skinModule->bitmap("main_form");
}

Tqex_ulm_frm::~Tqex_ulm_frm() { app_.ui.removeTray(); }

void Tqex_ulm_frm::buildTrayMenu() {
  auto show = [this](auto& window) {
    return [this, &window] { window->show(); };
  };
  ui::MenuItem& scan = PopupMenu1.add("SystemScan1", "System Scan", show(app_.deepscanfrm));
  scan.isDefault = true;
  PopupMenu1.addSeparator();
  PopupMenu1.add("DeleteTemporaryFiles1", "Delete Temporary Files", show(app_.deletefrm));
  PopupMenu1.add("ManageWindowsStartup1", "Manage Windows Startup", show(app_.startfrm));
  PopupMenu1.add("DetectRunningProcesses1", "Detect Running Processes", show(app_.systemprofrm));
  PopupMenu1.addSeparator();
  PopupMenu1.add("Preferences1", "Preferences", show(app_.preffrm));
  PopupMenu1.add("AboutKestrel1", "About Orvanta Kestrel", show(app_.aboutfrm));
  PopupMenu1.add("Helpmanual1", "Orvanta Kestrel Manual", [this] { app_.openLocal(app_.programDir() + "help\\index.htm"); });
  PopupMenu1.addSeparator();
  PopupMenu1.add("QEXToday1", "QEX Today", [this] { app_.qextodayfrm->showModal(); });
  PopupMenu1.add("Donatetothissoftware1", "Donate to this software", [this] {
    app_.openUrl(this, app_.config.community("/donate/"), app::urlFailure(app_.config.community("/donate/")));
  });
  PopupMenu1.addSeparator();
  PopupMenu1.add("Quit1", "Quit", [this] {
    app_.ui.processMessages();
    app_.ui.terminate();
  });
}

void Tqex_ulm_frm::FormPaint(ui::Canvas& canvas) {
  // The first argument decides the mode once, at the first painting.
  if (rememberedArgument_.empty()) {
    const auto args = app_.sys.system().arguments();
    rememberedArgument_ = args.empty() ? std::string() : args.front();
  }
  if (rememberedArgument_ == "-monitor") {
    rememberedArgument_ = "N";
    close();
  } else if (rememberedArgument_ == "-scan") {
    rememberedArgument_ = "N";
    close();
    app_.deepscanfrm->show();
  } else {
    SkinnedForm::FormPaint(canvas);
  }
}

void Tqex_ulm_frm::FormClose(ui::CloseAction& action) {
  if (app_.ui.terminated()) {
    auto settings = app_.settings();
    settings.writeBool("System", "Temporary", excludeTemporary);
    settings.writeBool("System", "Recycle", excludeRecycle);
    settings.writeBool("System", "Norton", excludeNorton);
    return;
  }
  // Closing only sends the window to the tray.
  Timer1.stop();
  Timer2.stop();
  action = ui::CloseAction::None;
  hide();
}

void Tqex_ulm_frm::FormHide() {
  Timer1.stop();
  Timer2.stop();
}

void Tqex_ulm_frm::restoreFromTray() { show(); }

void Tqex_ulm_frm::FormTrayMessage(unsigned message) {
  if (message == kLButtonDblClk) {
    restoreFromTray();
  } else if (message == kRButtonUp) {
    bringToFront();
    const ui::Point at = app_.ui.backend().cursorPos();
    PopupMenu1.popup(at.x, at.y);
  }
}
