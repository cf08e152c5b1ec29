// Pictures with two or four states that stand for a setting: the cleanup check pictures, the
// preference switches and the news window's start-up switch.
#include <map>

#include "skin/look.h"
#include "skin/paint.h"
#include "skin/painters.h"
#include "skin/pixelfont.h"

namespace skin {
namespace {

using namespace look;

void tick(ui::Bitmap& bmp, double x, double y, double s, ui::Color c) {
  line(bmp, x + 2.5 * s, y + 6.5 * s, x + 5 * s, y + 9 * s, 1.8 * s, c);
  line(bmp, x + 5 * s, y + 9 * s, x + 10 * s, y + 3 * s, 1.8 * s, c);
}

void box(ui::Bitmap& bmp, int x, int y, int size, bool checked, bool over, bool enabled) {
  const ui::Rect r{x, y, x + size, y + size};
  const ui::Color border = !enabled ? ui::rgb(180, 186, 196) : over ? ui::rgb(226, 146, 40) : kFramePen;
  const ui::Color top = !enabled ? ui::rgb(240, 240, 240) : over ? ui::rgb(255, 246, 222) : ui::kWhite;
  const ui::Color bottom = !enabled ? ui::rgb(224, 226, 230) : over ? ui::rgb(255, 222, 150) : ui::rgb(214, 226, 244);
  roundPanel(bmp, r, 2.5, border, vertical(r, top, bottom));
  if (checked) tick(bmp, x, y, size / 13.0, enabled ? ui::rgb(30, 140, 60) : ui::rgb(170, 170, 170));
}

void cleanupCheck(ui::Bitmap& bmp, const std::string& text, bool checked, bool over, bool enabled) {
  fill(bmp, ui::Rect{0, 0, bmp.width(), bmp.height()}, kPanel);
  box(bmp, 2, 1, 13, checked, over, enabled);
  const ui::Color ink = !enabled ? ui::rgb(160, 160, 160) : over ? ui::rgb(150, 70, 0) : kInk;
  drawText(bmp, 22, 4, text, TextStyle{ink, 1, false});
}

// An on/off slider: green with its knob on the right when on.
void slider(ui::Bitmap& bmp, int x, int y, bool on) {
  const ui::Rect track{x, y, x + 38, y + 13};
  const ui::Color base = on ? ui::rgb(70, 176, 96) : ui::rgb(120, 130, 150);
  roundPanel(bmp, track, 6.5, darken(base, 0.35), vertical(track, darken(base, 0.15), lighten(base, 0.2)));
  const TextStyle label{ui::kWhite, 1, true};
  const double knob = on ? track.right - 7.0 : track.left + 7.0;
  disc(bmp, knob, y + 6.5, 6.5, solid(darken(base, 0.4)));
  disc(bmp, knob, y + 6.5, 5.5, vertical(track, ui::kWhite, ui::rgb(200, 208, 222)));
  const std::string text = on ? "ON" : "OFF";
  const int tx = on ? track.left + 4 : track.right - 3 - textWidth(text, label);
  drawText(bmp, tx, y + 3, text, TextStyle{ui::kWhite, 1, false});
}

void preference(ui::Bitmap& bmp, const std::string& text, bool on) {
  fill(bmp, ui::Rect{0, 0, bmp.width(), bmp.height()}, kSwitchBack);
  slider(bmp, 2, 3, on);
  drawText(bmp, 48, 6, text, TextStyle{on ? ui::kWhite : ui::rgb(190, 206, 232), 1, false});
}

void startupSwitch(ui::Bitmap& bmp, bool on) {
  fill(bmp, ui::Rect{0, 0, bmp.width(), bmp.height()}, kFooter);
  box(bmp, 4, 3, 13, on, false, true);
  drawText(bmp, 24, 6, "Show the news at start", TextStyle{ui::kWhite, 1, false});
}

bool endsWith(const std::string& s, const std::string& tail) {
  return s.size() > tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

bool paintSwitch(const std::string& name, ui::Bitmap& bmp) {
  static const std::map<std::string, std::string> checks = {
      {"clear", "Temporary files"}, {"empty", "Recycle bin"}, {"norton", "Antivirus quarantine"}};
  static const std::map<std::string, std::string> prefs = {
      {"pref_al", "Tell me when the Windows folder changes"},
      {"pref_play", "Play a sound for every threat found"},
      {"pref_scan", "Scan my system when Windows starts"},
      {"pref_sys", "Run the system monitor with Windows"}};
  if (name == "qex_true" || name == "qex_false") {
    startupSwitch(bmp, name == "qex_true");
    return true;
  }
  if (name == "norton_ui") {
    cleanupCheck(bmp, checks.at("norton") + " (none)", false, false, false);
    return true;
  }
  for (const auto& [base, text] : checks) {
    for (const char* state : {"_chk", "_uchk", "_chk_over", "_uchk_over"}) {
      if (name != base + state) continue;
      cleanupCheck(bmp, text, std::string(state).rfind("_chk", 0) == 0, endsWith(name, "_over"), true);
      return true;
    }
  }
  for (const auto& [base, text] : prefs) {
    if (name == base + "_1" || name == base + "_2") {
      preference(bmp, text, name.back() == '2');
      return true;
    }
  }
  return false;
}

}  // namespace skin
