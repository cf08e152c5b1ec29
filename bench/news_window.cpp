// Our news window under Wine, for bench/news. Run from a program folder (ulmres.dll beside it,
// qexsys.ini pointing at the community server stand-in):
//
//   news_window show      seconds from the window's Show to its rows, banner and thumbnail
//                         painted on the screen
//   news_window memory    the program's private bytes after 10 and after 200 F5 refreshes
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstring>
#include <functional>

#include "app/app.h"
#include "online/qextodayfrm.h"
#include "platform/win32/win32_services.h"
#include "ui/application.h"
#include "ui/win32/run.h"

namespace {

double seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / frequency.QuadPart;
}

// The refresh is over and all three parts of the news are there.
bool complete(const Tqextodayfrm& news) {
  return news.rowCount() > 0 && !news.busy && news.GalleryImage.visible() &&
         !news.AdvertImage.picture().empty() && !news.AdvertImage.transparent();
}

// Runs the message loop until done() holds, as the program's modal loop does: every message
// dispatched as it comes (processMessages, for long loops, looks at the queue only every few
// milliseconds); false after a minute without it.
bool runUntil(const std::function<bool()>& done) {
  const DWORD start = GetTickCount();
  MSG msg;
  while (!done()) {
    if (GetTickCount() - start > 60000) return false;
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    } else {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
  }
  return true;
}

uint64_t privateBytes() {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                       sizeof counters);
  // Wine leaves PrivateUsage at 0; the commit charge it reports is the same figure on Windows.
  return counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
}

void refresh(ui::Form& news) {
  news.FormKeyDown(Tqextodayfrm::kF5);
  news.FormKeyUp(Tqextodayfrm::kF5);
}

}  // namespace

int main(int argc, char** argv) {
  const bool memory = argc == 2 && std::strcmp(argv[1], "memory") == 0;
  if (argc != 2 || (!memory && std::strcmp(argv[1], "show") != 0)) {
    std::fprintf(stderr, "usage: news_window show|memory\n");
    return 2;
  }
  platform::win32::Win32Services services;
  return ui::win32::withApplication([&](ui::Application& ui) {
    ui.setTitle(app::App::kTitle);
    app::App app(services, ui);
    auto settings = app.settings();
    app.config.load(settings);
    app.createWindows();
    Tqextodayfrm& news = *app.qextodayfrm;
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    news.show();
    if (!runUntil([&] { return complete(news); })) return 1;
    // The window's last changes reach its update region through messages already posted.
    for (MSG msg; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_POSTMESSAGE | PM_QS_SENDMESSAGE);)
      DispatchMessageA(&msg);
    UpdateWindow(reinterpret_cast<HWND>(ui.nativeHandle(&news)));
    QueryPerformanceCounter(&end);
    if (!memory) {
      std::printf("%.4f\n", seconds(start, end));
      return 0;
    }
    uint64_t afterTen = 0;
    for (int i = 1; i <= 200; ++i) {
      refresh(news);
      if (!runUntil([&] { return complete(news); })) return 1;
      if (i == 10) afterTen = privateBytes();
    }
    const uint64_t afterAll = privateBytes();
    std::printf("%llu %llu\n", static_cast<unsigned long long>(afterTen),
                static_cast<unsigned long long>(afterAll));
    return 0;
  });
}
