#include "monitor/notifyfrm.h"

#include "monitor/popupplace.h"
#include "monitor/preffrm.h"
#include "scan/deepscanfrm.h"

Tnotifyfrm::Tnotifyfrm(app::App& app)
    : Window(app, "Tnotifyfrm", "notifyfrm", 192, 250, "", "notify"),
      links_{{{Label3, hoverLatch, [this] { app_.openLocal(Label3.caption()); }},
              {Label4, hoverLatch, [this] { scanNow(); }}}} {
  borderStyle = ui::BorderStyle::None;
  stayOnTop = true;
  showInTaskbar = false;
  font = ui::Font::points("Verdana", 8);

  Label1.setFont(ui::Font::points("Verdana", 7, true, ui::kNavy));
  Label1.setBounds({46, 21, 46, 21});
  Label1.setCaption(app::App::kTitle);
  Label2.setFont(font);
  Label2.setWordWrap(true);
  Label2.setAutoSize(false);
  Label2.setBounds({16, 56, 16 + 161, 56 + 129});
  Label2.onMouseMove = [this](int x, int y) { FormMouseMove(x, y); };
  for (ui::Label* link : {&Label3, &Label4})
    link->setFont(ui::Font::points("Verdana", 8, false, ui::kBlue));
  Label3.setBounds({16, 200, 16, 200});
  Label4.setBounds({16, 216, 16, 216});
  Label4.setCaption("Scan my system now");

  const ui::Rect place = monitor::popupPlace(app.ui.screenWidth(), app.ui.screenHeight(),
                                             clientWidth(), clientHeight(), app.ui.taskbarRect());
  setPosition(place.left, place.top);

  Timer1.onTimer = [this] { Timer1Timer(); };
  Timer2.onTimer = [this] {
    Timer2.stop();
    Timer3.start();
  };
  Timer3.onTimer = [this] { Timer3Timer(); };
}

void Tnotifyfrm::folderChanged() {
  if (visible() || !app_.preffrm->SysChange) return;
  Label2.setCaption(
      "A software saved, modified or deleted files in your Windows directory or its subfolders."
      "\n\nTo view your Windows directory or Scan your system, click one of the links below.");
  Label3.setCaption(app_.facts.windowsDirectory);
  show();
  // Started once the popup is up: the timer costs a call to the window system that the
  // showing need not wait for.
  Timer1.start();
}

void Tnotifyfrm::watchFailed() { Label2.setCaption("It Failed"); }

// Where the system has no layered windows the popup keeps the same timing without fading.
void Tnotifyfrm::showOpacity() {
  if (layeredSupported()) setAlpha(static_cast<uint8_t>(alphaPercent * 255 / 100));
}

void Tnotifyfrm::FormShow() {
  alphaPercent = 0;
  if (layeredSupported()) setLayered(true);
  showOpacity();
}

// The fade in sets the opacities for 2 to 98 percent (5 to 249); the step that reaches 100
// starts the hold instead and leaves the last opacity standing.
void Tnotifyfrm::Timer1Timer() {
  if (app_.deepscanfrm->visible()) {
    Timer1.stop();
    close();
    return;
  }
  const int old = alphaPercent;
  alphaPercent = old + 2;
  if (old == 98) {
    Timer1.stop();
    Timer2.start();
  } else {
    showOpacity();
  }
}

// From wherever the fade stands, down in steps of two; the popup closes at zero.
void Tnotifyfrm::Timer3Timer() {
  alphaPercent -= 2;
  if (alphaPercent > 0) {
    showOpacity();
    return;
  }
  Timer3.stop();
  close();
}

// During the fade in, the scan window now showing closes the popup at the next tick.
void Tnotifyfrm::scanNow() {
  Timer2.stop();
  Timer3.start();
  for (frame::HoverLink& l : links_) l.normal();
  app_.deepscanfrm->show();
}

// A popup that closed early (the scan window came up) must not fade on while hidden: a fade
// still running at the next showing would run against the new one and never end. The opacity
// of the next showing is set here, so that showing costs no call to the window system.
void Tnotifyfrm::FormHide() {
  Timer1.stop();
  Timer2.stop();
  Timer3.stop();
  alphaPercent = 0;
  showOpacity();
  for (frame::HoverLink& l : links_) l.normal();
  hoverLatch = false;
}

void Tnotifyfrm::FormMouseMove(int, int) {
  if (!hoverLatch) return;
  for (frame::HoverLink& l : links_) l.normal();
  hoverLatch = false;
}
