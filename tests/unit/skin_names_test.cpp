// Every skin name the windows' code loads by a literal, and every image-button family it
// makes, is a resource of the generated skin; a misspelt name would fail only at run time.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "skin/resources.h"

namespace {

std::vector<std::filesystem::path> windowSources() {
  std::vector<std::filesystem::path> out;
  for (const char* dir : {"app", "monitor", "scan", "startup", "process", "cleanup", "sysinfo", "online"})
    for (const auto& e : std::filesystem::directory_iterator(std::filesystem::path(QEX_SOURCE_DIR) / dir))
      if (e.path().extension() == ".cpp") out.push_back(e.path());
  return out;
}

TEST(SkinNames, EveryLiteralTheWindowsLoadIsInTheSkin) {
  // load(control, "name"), bitmap("name"), play("name"), and button families.
  const std::regex direct(R"re((?:\bload\([^;"]*,\s*|\bbitmap\(|\bplay\()"([a-z0-9_]+)")re");
  const std::regex family(R"re(ImageButton>\([^;"]*"([a-z0-9_]+)")re");
  int found = 0;
  for (const auto& path : windowSources()) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    const std::string source = text.str();
    for (std::sregex_iterator it(source.begin(), source.end(), direct), end; it != end; ++it, ++found)
      EXPECT_NE(skin::findResource((*it)[1]), nullptr) << path.filename() << ": " << (*it)[1];
    for (std::sregex_iterator it(source.begin(), source.end(), family), end; it != end; ++it, ++found)
      for (const char* state : {"_1", "_2", "_3"})
        EXPECT_NE(skin::findResource((*it)[1].str() + state), nullptr) << path.filename() << ": " << (*it)[1] << state;
  }
  EXPECT_GT(found, 20);  // the scan itself still finds the windows' names
}

}  // namespace
