// Every skin name the windows' code loads by a literal, and every image-button family it
// makes, is a resource of the generated skin; a misspelt name would fail only at run time.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "app/tools.h"
#include "skin/resources.h"

namespace {

std::vector<std::filesystem::path> windowSources() {
  std::vector<std::filesystem::path> out;
  for (const char* dir : {"app", "frame", "monitor", "scan", "startup", "process", "cleanup", "sysinfo", "online"})
    for (const auto& e : std::filesystem::directory_iterator(std::filesystem::path(QEX_SOURCE_DIR) / dir))
      if (e.path().extension() == ".cpp") out.push_back(e.path());
  return out;
}

TEST(SkinNames, EveryLiteralTheWindowsLoadIsInTheSkin) {
  // Single pictures: load(control, "name"), bitmap("name"), play("name"), a window's
  // background and the badge and bar names the dashboard returns.
  const std::regex direct(
      R"re((?:\bload\([^;"]*,\s*|\bbitmap\(|\bplay\(|\breturn |Window\(app(?:, "[^"]*"){2}, \d+, \d+, "[^"]*", )"([a-z0-9_]+)")re");
  // Button families with their three states, and check pictures with their four.
  const std::regex button(R"re((?:ImageButton[^;"]*|button_\(skin, face, )"([a-z0-9_]+)")re");
  const std::regex check(R"re(\{skin\(\), Image\d+, "([a-z0-9_]+)"\})re");
  const std::pair<const std::regex*, std::vector<const char*>> kinds[] = {
      {&direct, {""}}, {&button, {"_1", "_2", "_3"}}, {&check, {"_chk", "_uchk", "_chk_over", "_uchk_over"}}};
  int found = 0;
  for (const auto& path : windowSources()) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    const std::string source = text.str();
    for (const auto& [pattern, suffixes] : kinds)
      for (std::sregex_iterator it(source.begin(), source.end(), *pattern), end; it != end; ++it, ++found)
        for (const char* suffix : suffixes)
          EXPECT_NE(skin::findResource((*it)[1].str() + suffix), nullptr) << path.filename() << ": " << (*it)[1] << suffix;
  }
  EXPECT_GT(found, 30);  // the scan itself still finds the windows' names
}

TEST(SkinNames, TheToolButtonsAreInTheSkin) {
  for (const app::Tool& tool : app::kTools)
    for (const char* state : {"_1", "_2", "_3"})
      EXPECT_NE(skin::findResource(std::string(tool.buttonBase) + state), nullptr) << tool.buttonBase << state;
}

}  // namespace
