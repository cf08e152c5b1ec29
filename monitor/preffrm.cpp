#include "monitor/preffrm.h"

#include "monitor/autostart.h"

namespace {

constexpr int kSwitchLeft = 129, kSwitchWidth = 315, kSwitchHeight = 19;

}  // namespace

Tpreffrm::Tpreffrm(app::App& app)
    : Window(app, "Tpreffrm", "preffrm", 450, 266, "Preferences", "prefform"),
      ok_(skin(), Image2, Label3, hoverLatch, 232, 224, "OK", [this] { OkClick(); }),
      cancel_(skin(), Image1, Label2, hoverLatch, 336, 224, "Cancel", [this] { close(); }) {
  font = ui::Font::points("Verdana", 8);
  const int tops[] = {59, 92, 125, 158};
  ui::Image* switches[] = {&Image4, &Image5, &Image6, &Image7};
  for (int i = 0; i < 4; ++i) {
    switches[i]->setBounds(
        {kSwitchLeft, tops[i], kSwitchLeft + kSwitchWidth, tops[i] + kSwitchHeight});
    switches[i]->cursor = ui::Cursor::Hand;
  }
  Image4.onClick = [this] {
    SysChange = !SysChange;
    showSwitches();
  };
  Image5.onClick = [this] {
    InfSound = !InfSound;
    showSwitches();
  };
  // The two logon modes exclude each other: switching one on switches the other off.
  Image6.onClick = [this] {
    SysScan = !SysScan;
    if (SysScan) SysMonitor = false;
    showSwitches();
  };
  Image7.onClick = [this] {
    SysMonitor = !SysMonitor;
    if (SysMonitor) SysScan = false;
    showSwitches();
  };
  readSwitches();
}

// The file's values, with the switches' current ones where the file has none.
void Tpreffrm::readSwitches() {
  auto settings = app_.settings();
  SysChange = settings.readBool("System", "SysChange", SysChange);
  InfSound = settings.readBool("System", "InfSound", InfSound);
  SysScan = settings.readBool("System", "SysScan", SysScan);
  SysMonitor = settings.readBool("System", "SysMonitor", SysMonitor);
  showSwitches();
}

void Tpreffrm::showSwitches() {
  auto show = [this](ui::Image& image, const char* base, bool on) {
    const std::string name = std::string(base) + (on ? "_2" : "_1");
    if (image.pictureName() != name) skin().load(image, name);
  };
  show(Image4, "pref_al", SysChange);
  show(Image5, "pref_play", InfSound);
  show(Image6, "pref_scan", SysScan);
  show(Image7, "pref_sys", SysMonitor);
}

void Tpreffrm::FormShow() { readSwitches(); }

// A refused settings write ends the handler with its error: the Run values stay as they are
// and the window stays open.
void Tpreffrm::OkClick() {
  auto settings = app_.settings();
  settings.writeBool("System", "SysChange", SysChange);
  settings.writeBool("System", "InfSound", InfSound);
  settings.writeBool("System", "SysScan", SysScan);
  settings.writeBool("System", "SysMonitor", SysMonitor);
  auto& registry = app_.sys.registry();
  monitor::setAutostart(registry, monitor::kScanValue,
                        monitor::autostartCommand(app_.programDir(), "-scan"), SysScan);
  monitor::setAutostart(registry, monitor::kMonitorValue,
                        monitor::autostartCommand(app_.programDir(), "-monitor"), SysMonitor);
  close();
}

void Tpreffrm::FormMouseMove(int, int) {
  if (!hoverLatch) return;
  hoverLatch = false;
  ok_.normal();
  cancel_.normal();
}
