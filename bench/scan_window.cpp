// Ours for bench/scan: the program's application and windows on the real platform and window
// backend, the scan window shown once, timed from the showing to "Scan complete.". Runs from a
// copy of the program folder, beside ulmres.dll and the signature lists. Prints the number of
// lines scanned, then the seconds on the clock and in processor time.
#include <windows.h>

#include <cstdio>

#include "app/app.h"
#include "bench/cpu_seconds.h"
#include "platform/win32/win32_services.h"
#include "scan/deepscanfrm.h"
#include "scan/scanphases.h"
#include "ui/win32/run.h"

int main() {
  platform::win32::Win32Services services;
  return ui::win32::withApplication([&](ui::Application& ui) {
    ui.setTitle(app::App::kTitle);
    app::App app(services, ui);
    app.createWindows();
    if (!app.deepscanfrm) return 1;
    Tdeepscanfrm& window = *app.deepscanfrm;
    const Stopwatch watch;
    window.show();
    // The whole scan runs in the handler of the window's start timer.
    while (window.Label2.caption() != scan::kScanCompleteCaption) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
      ui.processMessages();
    }
    const double clock = watch.clock(), cpu = watch.cpu();
    std::printf("%d %.4f %.4f\n", window.ItemsScanned, clock, cpu);
    return 0;
  });
}
