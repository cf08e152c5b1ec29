// The application object: the operating-system services, the window model's application, the
// configuration, the skin library, the system facts, and the twelve windows, created once in a
// fixed order with the main window first and reached by each other through these members.
#pragma once

#include <memory>
#include <string>

#include "app/config.h"
#include "app/settings.h"
#include "app/systemfacts.h"
#include "frame/skin.h"
#include "platform/services.h"
#include "ui/application.h"

class Tqex_ulm_frm;
class Tstartfrm;
class Tsystemprofrm;
class Tsoftwarefrm;
class Taboutfrm;
class Tqextodayfrm;
class Tdeletefrm;
class Tloginfrm;
class TSearchFrm;
class Tdeepscanfrm;
class Tnotifyfrm;
class Tpreffrm;

namespace app {

class App {
 public:
  static constexpr const char* kTitle = "Orvanta Kestrel";

  App(platform::Services& services, ui::Application& ui);
  ~App();
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  platform::Services& sys;
  ui::Application& ui;
  Config config;
  // Read when the windows are made, before the first of them.
  SystemFacts facts;

  std::unique_ptr<Tqex_ulm_frm> qex_ulm_frm;
  std::unique_ptr<Tstartfrm> startfrm;
  std::unique_ptr<Tsystemprofrm> systemprofrm;
  std::unique_ptr<Tsoftwarefrm> softwarefrm;
  std::unique_ptr<Taboutfrm> aboutfrm;
  std::unique_ptr<Tqextodayfrm> qextodayfrm;
  std::unique_ptr<Tdeletefrm> deletefrm;
  std::unique_ptr<Tloginfrm> loginfrm;
  std::unique_ptr<TSearchFrm> SearchFrm;
  std::unique_ptr<Tdeepscanfrm> deepscanfrm;
  std::unique_ptr<Tnotifyfrm> notifyfrm;
  std::unique_ptr<Tpreffrm> preffrm;

  // Loads the skin library, reads the system facts and creates the windows in the table's
  // order. Without the skin library the program warns and ends, and no window is made.
  void createWindows();
  // The message loop; on its end the main window is closed as the program terminates.
  void run();
  // Logoff or shutdown: everything the end of the program does, at once, since the system may
  // end the process as soon as it has said so.
  void endSession();

  // The program's directory with a trailing backslash.
  const std::string& programDir() const { return programDir_; }
  Settings settings() {
    return Settings(sys.files(), programDir_ + "qexsys.ini", [this](const std::string& path) { cannotWrite(path); });
  }
  // A file of the program's own folder could not be written: the settings, the downloads in
  // Cache, the quarantine and the registry backup. The user is told once per run, at the first
  // such failure, which folder it is and what to do; later failures add no box.
  void cannotWrite(const std::string& path);
  std::string helpFile() const { return programDir_ + "help\\index.htm"; }
  // The skin library; there is one whenever a window exists.
  const frame::Skin& skin() const { return *skin_; }

  // Asks the shell to open a web address; on failure a warning with failureText on owner.
  void openUrl(ui::Form* owner, const std::string& url, const std::string& failureText);
  // The same request with no message on failure.
  void openUrlQuietly(ui::Form* owner, const std::string& url);
  // Opens a page of the community forum (a path on its server); a failure names the forum.
  void openForum(ui::Form* owner, const std::string& path);
  // Opens a local folder or file when it exists; failures are silent.
  void openLocal(const std::string& path);

 private:
  std::string programDir_;
  bool toldCannotWrite_ = false;
  std::unique_ptr<frame::Skin> skin_;
};

// The failure text of a web address: the product could not open the given address.
std::string urlFailure(const std::string& address);
// The failure text of every page of the community forum, which names the forum's address.
std::string forumFailure(const Config& config);

}  // namespace app
