// Our side of bench/cleaner: the program's cleaner window on the real calls and the Win32
// window backend, emptying FOLDER\Temp as the user's Temp folder (the quarantine and the
// recycle bins left out). Prints the seconds on the clock from the window shown to the window
// closed, then the processor seconds of this process and of the Wine server over that span.
//
//   cleaner_run FOLDER [SERVER-PID TICKS-PER-SECOND]   (ulmres.dll beside it, as for qexsys.exe)
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/app.h"
#include "app/qex_ulm_frm.h"
#include "bench/cpu_seconds.h"
#include "cleanup/deletefrm.h"
#include "platform/win32/win32_services.h"
#include "ui/win32/run.h"

int main(int argc, char** argv) {
  if (argc != 2 && argc != 4) {
    std::fprintf(stderr, "usage: cleaner_run FOLDER [SERVER-PID TICKS-PER-SECOND]\n");
    return 2;
  }
  std::string folder = argv[1];
  if (folder.back() != '\\') folder += '\\';
  platform::win32::Win32Services services;
  return ui::win32::withApplication([&](ui::Application& ui) {
    ui.setTitle(app::App::kTitle);
    app::App app(services, ui);
    app.createWindows();
    if (!app.deletefrm) return 1;
    app.facts.localSettings = folder;
    app.qex_ulm_frm->excludeNorton = true;
    app.qex_ulm_frm->excludeRecycle = true;

    const ServerSpan span(argc, argv);
    app.deletefrm->show();
    // The run happens inside the window's timer; the window closes itself at its end.
    while (app.deletefrm->visible()) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
      ui.processMessages();
    }
    span.print();
    return 0;
  });
}
