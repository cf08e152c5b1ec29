#include "skin/resources.h"

#include "skin/layout.h"

namespace skin {
namespace {

namespace L = layout;

void picture(std::vector<Resource>& list, const std::string& name, int w, int h) {
  list.push_back(Resource{name, Kind::Picture, w, h});
}

void family(std::vector<Resource>& list, const std::string& base, int states, int w, int h) {
  for (int s = 1; s <= states; ++s) picture(list, base + "_" + std::to_string(s), w, h);
}

void picture(std::vector<Resource>& list, const std::string& name, const ui::Rect& r) {
  picture(list, name, r.width(), r.height());
}

std::vector<Resource> build() {
  std::vector<Resource> list;
  using namespace L::main_form;
  // Window backgrounds at their windows' client sizes.
  picture(list, "main_form", L::main_form::kWidth, L::main_form::kHeight);
  for (const char* name : {"start_form", "process_form", "soft_form", "scanner_form"})
    picture(list, name, L::tool_form::kWidth, L::tool_form::kHeight);
  for (const char* name : {"about_form", "progress_form", "login_form"})
    picture(list, name, L::dialog_form::kWidth, L::dialog_form::kHeight);
  picture(list, "prefform", L::prefform::kWidth, L::prefform::kHeight);
  picture(list, "notify", L::notify::kWidth, L::notify::kHeight);
  // The news window tiles its background; one tile covers the whole client area, so the
  // gallery, story and banner areas can be drawn where the window puts them.
  picture(list, "news_today", L::news_today::kWidth, L::news_today::kHeight);

  // Image buttons.
  family(list, "stand_btn", 3, 97, 24);
  for (const char* base : {"delete_btn", "reg_btn", "run_btn"}) family(list, base, 3, kToolButtons[0].width(), kToolButtons[0].height());
  family(list, "browse", 3, kBrowse.width(), kBrowse.height());
  family(list, "qex_today", 2, kNews.width(), kLinkHeight);
  family(list, "freeware", 2, kFreeware.width(), kLinkHeight);
  // Forum links: each as wide as the gap its window leaves before the next separator.
  family(list, "online", 2, 84, kLinkHeight);
  family(list, "reg", 2, 57, kLinkHeight);
  family(list, "login", 2, 48, kLinkHeight);
  family(list, "profile", 2, 47, kLinkHeight);
  family(list, "chat", 2, 43, kLinkHeight);
  family(list, "logout", 2, 54, kLinkHeight);
  picture(list, "splitter", kNewsSplitter);
  picture(list, "software", kSoftware);
  picture(list, "hardware", kHardware);

  // Check pictures of the cleanup choices.
  for (const char* base : {"clear", "empty", "norton"})
    for (const char* state : {"_chk", "_uchk", "_chk_over", "_uchk_over"}) picture(list, std::string(base) + state, kChecks[0]);
  picture(list, "norton_ui", kChecks[0]);

  // Preference switches and the news window's start-up switch.
  for (const char* base : {"pref_al", "pref_play", "pref_scan", "pref_sys"}) family(list, base, 2, 315, 19);
  picture(list, "qex_true", 154, 19);
  picture(list, "qex_false", 154, 19);

  // Memory bar, number glyphs and badges.
  picture(list, "ram_bar", kMemoryBar);
  for (int i = 1; i <= 3; ++i) picture(list, "mem_" + std::to_string(i), kMemoryBar);
  for (int d = 0; d <= 9; ++d) picture(list, "digit_" + std::to_string(d), 6, 8);
  // Wider than a digit cell: the unit picture shows it whole, and a digit cell that draws it
  // shows its first six columns, which line up with the unit picture beside the numbers.
  picture(list, "mb", 11, 8);
  picture(list, "gb", 11, 8);  // the unit of memory figures too large for four cells of megabytes
  picture(list, "online", kConnection);
  picture(list, "offline", kConnection);
  for (const char* os : {"os_xp", "os_2000", "os_me", "os_98"}) picture(list, os, kOsBadge);
  picture(list, "browser_ie", kBrowserBadge);
  picture(list, "browser_mo", kBrowserBadge);

  // The news window's pictures.
  picture(list, "error", 32, 32);
  picture(list, "arrow", 5, 7);

  // Symbols of the result lists and of the scan window's two counters.
  picture(list, "list_warning", 16, 16);
  picture(list, "detect_file", L::scanner_form::kFileCounter);
  picture(list, "detect_reg", L::scanner_form::kKeyCounter);

  list.push_back(Resource{"warning", Kind::Sound});
  list.push_back(Resource{"photoclick", Kind::Sound});
  return list;
}

}  // namespace

const std::vector<Resource>& resources() {
  static const std::vector<Resource> list = build();
  return list;
}

const Resource* findResource(const std::string& name) {
  for (const Resource& r : resources())
    if (r.name == name) return &r;
  return nullptr;
}

}  // namespace skin
