#include "app/app.h"

#include "app/aboutfrm.h"
#include "app/qex_ulm_frm.h"
#include "cleanup/deletefrm.h"
#include "cleanup/searchfrm.h"
#include "monitor/notifyfrm.h"
#include "monitor/preffrm.h"
#include "online/community.h"
#include "online/loginfrm.h"
#include "online/qextodayfrm.h"
#include "process/systemprofrm.h"
#include "scan/deepscanfrm.h"
#include "startup/startfrm.h"
#include "sysinfo/softwarefrm.h"
#include "ui/dialogs.h"

namespace app {

App::App(platform::Services& services, ui::Application& uiApp)
    : sys(services), ui(uiApp), programDir_(services.system().programDirectory()) {
  ui.onEndSession = [this] { endSession(); };
}

App::~App() {
  ui.onEndSession = nullptr;
  ui.setFormsReady(false);
}

void App::createWindows() {
  auto library = sys.libraries().load(frame::Skin::kFileName);
  if (!library) {
    ui.messageBox(nullptr, "An error occured when trying to locate the file 'ulmres.dll'.", kTitle,
                  ui::kMbOk | ui::kMbIconWarning);
    ui.terminate();
    return;
  }
  skin_ = std::make_unique<frame::Skin>(std::move(library), sys.sound());
  facts = SystemFacts::read(sys);
  qex_ulm_frm = std::make_unique<Tqex_ulm_frm>(*this);
  startfrm = std::make_unique<Tstartfrm>(*this);
  systemprofrm = std::make_unique<Tsystemprofrm>(*this);
  softwarefrm = std::make_unique<Tsoftwarefrm>(*this);
  aboutfrm = std::make_unique<Taboutfrm>(*this);
  qextodayfrm = std::make_unique<Tqextodayfrm>(*this);
  deletefrm = std::make_unique<Tdeletefrm>(*this);
  loginfrm = std::make_unique<Tloginfrm>(*this);
  SearchFrm = std::make_unique<TSearchFrm>(*this);
  deepscanfrm = std::make_unique<Tdeepscanfrm>(*this);
  notifyfrm = std::make_unique<Tnotifyfrm>(*this);
  preffrm = std::make_unique<Tpreffrm>(*this);
  ui.setFormsReady(true);
}

void App::run() {
  // Without its skin the program ended before it made a window.
  if (!qex_ulm_frm) return;
  if (!ui.terminated()) {
    qex_ulm_frm->show();
    ui.run();
  }
  qex_ulm_frm->close();
}

void App::endSession() {
  ui.terminate();
  if (!qex_ulm_frm) return;
  qex_ulm_frm->close();
  ui.removeTray();
}

void App::cannotWrite(const std::string& path) {
  if (toldCannotWrite_) return;
  toldCannotWrite_ = true;
  ui.messageBox(nullptr,
                "Orvanta Kestrel could not write \"" + path + "\" in its folder \"" + programDir_ +
                    "\".\n\nThe program keeps its settings, downloads, quarantine and registry "
                    "backups in its own folder. Move the program folder to a place where you may "
                    "write, such as a folder of your own, or start Orvanta Kestrel as an "
                    "administrator.",
                kTitle, ui::kMbOk | ui::kMbIconWarning);
}

void App::openUrl(ui::Form* owner, const std::string& url, const std::string& failureText) {
  if (!sys.shell().execute(ui.nativeHandle(owner), "open", url))
    ui.messageBox(owner, failureText, kTitle, ui::kMbOk | ui::kMbIconWarning);
}

void App::openUrlQuietly(ui::Form* owner, const std::string& url) {
  sys.shell().execute(ui.nativeHandle(owner), "open", url);
}

void App::openForum(ui::Form* owner, const std::string& path) {
  openUrl(owner, config.community(path), forumFailure(config));
}

void App::openLocal(const std::string& path) {
  if (sys.files().attributes(path)) sys.shell().execute(0, "open", path);
}

std::string urlFailure(const std::string& address) { return "Orvanta Kestrel could not open the url " + address; }

std::string forumFailure(const Config& config) { return urlFailure(config.community(online::community::kForum)); }

}  // namespace app
