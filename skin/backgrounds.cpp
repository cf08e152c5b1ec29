// Window backgrounds, each at its window's client size, decorated around the controls that
// the window places on it (skin/layout.h).
#include <functional>
#include <map>

#include "skin/icons.h"
#include "skin/layout.h"
#include "skin/look.h"
#include "skin/paint.h"
#include "skin/painters.h"
#include "skin/pixelfont.h"

namespace skin {
namespace {

using namespace look;
namespace L = layout;

const TextStyle kHeading{kInk, 1, true};
const TextStyle kSmall{ui::rgb(90, 110, 140), 1, false};

// Blends a symbol in faintly, as a watermark.
void watermark(ui::Bitmap& bmp, int x, int y, int size, ui::Color back, double opacity) {
  ui::Bitmap sym(size, size, back);
  mark(sym, 0, 0, size);
  for (int sy = 0; sy < size; ++sy)
    for (int sx = 0; sx < size; ++sx)
      if (x + sx < bmp.width() && y + sy < bmp.height())
        bmp.setPixel(x + sx, y + sy, mix(bmp.pixel(x + sx, y + sy), sym.pixel(sx, sy), opacity));
}

void rule(ui::Bitmap& bmp, int x0, int x1, int y, ui::Color c) { fill(bmp, ui::Rect{x0, y, x1, y + 1}, c); }

void sidebar(ui::Bitmap& bmp, const ui::Rect& r, const std::string& title) {
  roundRect(bmp, ui::Rect{r.left + 1, r.top + 2, r.right + 1, r.bottom + 2}, 8, solid(darken(kBody, 0.45)));
  roundPanel(bmp, r, 8, lighten(kSidebar, 0.3), vertical(r, lighten(kSidebar, 0.1), kSidebar));
  if (!title.empty()) {
    drawText(bmp, r.left + 12, r.top + 9, title, TextStyle{ui::kWhite, 1, true});
    rule(bmp, r.left + 12, r.right - 12, r.top + 21, lighten(kSidebar, 0.35));
  }
}

void footer(ui::Bitmap& bmp, const ui::Rect& r) {
  fill(bmp, r, kFooter);
  rule(bmp, r.left, r.right, r.top, darken(kBody, 0.4));
  rule(bmp, r.left, r.right, r.top + 1, lighten(kBody, 0.12));
}

void mainForm(ui::Bitmap& bmp) {
  using namespace L::main_form;
  verticalGradient(bmp, ui::Rect{0, 0, kWidth, kHeight}, lighten(kDashboard, 0.5), kDashboard);
  headerBand(bmp, kHeader);
  logo(bmp, 8, 3, 2);

  titledPanel(bmp, kSystemPanel, "MY SYSTEM", kPanelTitleHeight);
  titledPanel(bmp, kToolsPanel, "TOOLS", kPanelTitleHeight);
  titledPanel(bmp, kMonitorPanel, "MEMORY", kPanelTitleHeight);

  const ui::Color ruleColor = lighten(kPanelEdge, 0.4);
  rule(bmp, kSystemPanel.left + 10, kSystemPanel.right - 10, kFoldersCaption.top - 8, ruleColor);
  rule(bmp, kSystemPanel.left + 10, kSystemPanel.right - 10, kFolderInfo.top - 6, ruleColor);

  const char* titles[3] = {"Clean up", "Startup", "Processes"};
  const char* lines[3][2] = {{"Temporary files", "and recycle bin"},
                             {"Programs that run", "when Windows starts"},
                             {"Programs running", "right now"}};
  for (int i = 0; i < 3; ++i) {
    const ui::Rect& b = kToolButtons[i];
    drawText(bmp, kToolTextLeft, b.top + 12, titles[i], kHeading);
    drawText(bmp, kToolTextLeft, b.top + 26, lines[i][0], kSmall);
    drawText(bmp, kToolTextLeft, b.top + 37, lines[i][1], kSmall);
    if (i < 2) rule(bmp, kToolsPanel.left + 10, kToolsPanel.right - 10, b.bottom + 4, ruleColor);
  }
  rule(bmp, kToolsPanel.left + 10, kToolsPanel.right - 10, kChecksTop - 16, ruleColor);
  drawText(bmp, kChecks[0].left + 2, kChecksTop - 11, "Clean up options", kHeading);
  rule(bmp, kToolsPanel.left + 10, kToolsPanel.right - 10, kSoftware.top - 6, ruleColor);
  toolTile(bmp, kSoftware, Tile::Software, false);
  toolTile(bmp, kHardware, Tile::Hardware, false);

  memoryTrough(bmp, kMemoryBar);
  drawText(bmp, kMemoryBar.left, kTotalTop, "Total", kHeading);
  drawText(bmp, kMemoryBar.left, kUsedTop, "In use", kHeading);
  auto subheading = [&](int y, const char* text) {
    drawText(bmp, kMemoryBar.left, y, text, TextStyle{kFramePen, 1, true});
    const int x = kMemoryBar.left + textWidth(text, TextStyle{kFramePen, 1, true}) + 6;
    rule(bmp, x, kMonitorPanel.right - 12, y + 4, ruleColor);
  };
  subheading(kDiskCaption.top - 20, "DISK");
  subheading(kProcesses.top - 20, "PROCESSES");
  watermark(bmp, kMonitorPanel.right - 124, kMonitorPanel.bottom - 124, 112, kPanel, 0.12);
}

void toolForm(ui::Bitmap& bmp, const std::string& title, void (*symbol)(ui::Bitmap&, int, int, int),
              const ui::Rect& listWell) {
  namespace T = L::tool_form;
  darkBase(bmp, T::kTitleBand.height());
  sidebar(bmp, T::kSidebar, title);
  symbol(bmp, T::kSidebar.right - 60, T::kSidebar.bottom - 60, 48);
  well(bmp, listWell);
  notePanel(bmp, T::kDescription);
  footer(bmp, T::kFooter);
}

void processSymbol(ui::Bitmap& bmp, int x, int y, int size) { icons::gear(bmp, x, y, size, ui::rgb(150, 170, 200)); }

void softForm(ui::Bitmap& bmp) {
  namespace S = L::soft_form;
  darkBase(bmp, L::tool_form::kTitleBand.height());
  sidebar(bmp, S::kSidebar, "HELP TOPICS");
  sidebar(bmp, S::kActions, "");
  notePanel(bmp, S::kDescription);
  well(bmp, S::kMemoWell);
  footer(bmp, L::tool_form::kFooter);
}

void scannerForm(ui::Bitmap& bmp) {
  using namespace L::scanner_form;
  darkBase(bmp, L::tool_form::kTitleBand.height());
  well(bmp, kListWell);
  roundPanel(bmp, kStatus, 7, lighten(kBody, 0.2), vertical(kStatus, lighten(kBody, 0.1), kBody));
  footer(bmp, L::tool_form::kFooter);
  watermark(bmp, L::tool_form::kWidth - 44, L::tool_form::kHeight - 28, 24, kFooter, 0.5);
}

void dialogBase(ui::Bitmap& bmp) {
  darkBase(bmp, 0);
  headerBand(bmp, L::dialog_form::kHeader);
  logo(bmp, 14, 12, 2);
}

void aboutForm(ui::Bitmap& bmp) {
  dialogBase(bmp);
  rule(bmp, 16, 319, 128, lighten(kBody, 0.25));
  watermark(bmp, 226, 138, 64, kBody, 0.25);
}

void progressForm(ui::Bitmap& bmp) {
  dialogBase(bmp);
  icons::broom(bmp, 144, 70, 48);
  well(bmp, L::progress_form::kBarWell);
}

void editWell(ui::Bitmap& bmp, const ui::Rect& edit) {
  const ui::Rect r{edit.left - 3, edit.top - 3, edit.right + 3, edit.bottom + 3};
  roundPanel(bmp, r, 4, kFramePen, solid(kEditBack));
}

void loginForm(ui::Bitmap& bmp) {
  using namespace L::login_form;
  dialogBase(bmp);
  icons::user(bmp, 283, 10, 36);
  editWell(bmp, kUserEdit);
  editWell(bmp, kPasswordEdit);
  rule(bmp, 16, 319, 192, lighten(kBody, 0.2));
}

void prefForm(ui::Bitmap& bmp) {
  using namespace L::prefform;
  darkBase(bmp, 0);
  headerBand(bmp, kHeader);
  logo(bmp, 10, 7, 2);
  icons::gear(bmp, 28, 84, 64, ui::rgb(150, 175, 210));
  roundRect(bmp, ui::Rect{kSwitchPanel.left + 1, kSwitchPanel.top + 2, kSwitchPanel.right + 1, kSwitchPanel.bottom + 2}, 8,
            solid(darken(kBody, 0.45)));
  roundPanel(bmp, kSwitchPanel, 8, lighten(kSwitchBack, 0.25), solid(kSwitchBack));
  for (int y : {86, 119, 152}) rule(bmp, kSwitchPanel.left + 12, kSwitchPanel.right - 12, y, lighten(kSwitchBack, 0.12));
}

void notifyForm(ui::Bitmap& bmp) {
  using namespace L::notify;
  const ui::Rect all{0, 0, kWidth, kHeight};
  verticalGradient(bmp, all, ui::kWhite, kListBack);
  verticalGradient(bmp, kHeader, kListBack, kBarFill);
  rule(bmp, 0, kWidth, kHeader.bottom - 1, kFrameFill);
  mark(bmp, 12, 11, 26);
  rule(bmp, 16, kWidth - 16, 192, kBarFill);
  fill(bmp, ui::Rect{0, 0, kWidth, 1}, kFramePen);
  fill(bmp, ui::Rect{0, kHeight - 1, kWidth, kHeight}, kFramePen);
  fill(bmp, ui::Rect{0, 0, 1, kHeight}, kFramePen);
  fill(bmp, ui::Rect{kWidth - 1, 0, kWidth, kHeight}, kFramePen);
}

void pill(ui::Bitmap& bmp, const ui::Rect& r, const std::string& text) {
  roundPanel(bmp, r, r.height() / 2.0, lighten(kFrameFill, 0.3), vertical(r, kFrameFill, kFramePen));
  const TextStyle style{ui::kWhite, 1, true};
  drawText(bmp, r.left + (r.width() - textWidth(text, style)) / 2, r.top + (r.height() - kGlyphHeight) / 2, text, style);
}

void newsForm(ui::Bitmap& bmp) {
  using namespace L::news_today;
  darkBase(bmp, L::tool_form::kTitleBand.height());
  sidebar(bmp, kHeadlines, "TODAY'S HEADLINES");
  pill(bmp, kMoreNews, "More news");
  well(bmp, kGallery);
  pill(bmp, kGalleryTab, "Photo gallery");
  sidebar(bmp, kStory, "");
  roundPanel(bmp, kAdvertise, 6, lighten(kFrameFill, 0.3), vertical(kAdvertise, kFrameFill, kFramePen));
  const TextStyle ad{ui::kWhite, 1, true};
  for (int i = 0; i < 3; ++i) drawText(bmp, kAdvertise.left + 5, kAdvertise.top + 13 + i * 11, std::string(1, "ADS"[i]), ad);
  well(bmp, kBannerWell);
  footer(bmp, ui::Rect{0, 338, kWidth, kHeight});
}

}  // namespace

bool paintBackground(const std::string& name, ui::Bitmap& bmp) {
  static const std::map<std::string, std::function<void(ui::Bitmap&)>> painters = {
      {"main_form", mainForm},
      {"start_form",
       [](ui::Bitmap& b) { toolForm(b, "STARTUP MANAGER", icons::blocks, L::start_form::kListWell); }},
      {"process_form",
       [](ui::Bitmap& b) { toolForm(b, "PROCESS VIEWER", processSymbol, L::tool_form::kListWell); }},
      {"soft_form", softForm},
      {"scanner_form", scannerForm},
      {"about_form", aboutForm},
      {"progress_form", progressForm},
      {"login_form", loginForm},
      {"prefform", prefForm},
      {"notify", notifyForm},
      {"news_today", newsForm},
  };
  const auto it = painters.find(name);
  if (it == painters.end()) return false;
  it->second(bmp);
  return true;
}

}  // namespace skin
