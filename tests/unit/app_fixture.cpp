#include "tests/unit/app_fixture.h"

#include "skin/dib.h"
#include "skin/generator.h"
#include "skin/resources.h"

namespace testing_app {

namespace {

struct Generated {
  platform::ResourceType type;
  std::string name, bytes;
};

// The skin is made once per test run; every test copies it into its fake library.
const std::vector<Generated>& generatedSkin() {
  static const std::vector<Generated> all = [] {
    std::vector<Generated> out;
    for (const skin::Resource& r : skin::resources()) {
      if (r.kind == skin::Kind::Picture)
        out.push_back({platform::ResourceType::Bitmap, r.name, skin::encodeDib(skin::makePicture(r.name))});
      else
        out.push_back({platform::ResourceType::Wave, r.name, skin::makeSound(r.name)});
    }
    return out;
  }();
  return all;
}

}  // namespace

void installSkin(platform::fake::FakeLibraries& libraries, const std::string& fileName) {
  for (const Generated& g : generatedSkin()) libraries.addResource(fileName, g.type, g.name, g.bytes);
}

AppTest::AppTest() {
  installSkin(sys.fakeLibraries);
  sys.fakeFiles.addDir("C:\\Program Files");
  sys.fakeFiles.addDir("C:\\Program Files\\Orvanta");
}

void AppTest::TearDown() {
  for (const auto& b : backend.boxes) EXPECT_NE(b.text.rfind("Resource ", 0), 0u) << b.text;
}

void AppTest::click(ui::Control& c) {
  c.form().mouseMove(c.left() + 1, c.top() + 1);
  c.form().mouseDown(c.left() + 1, c.top() + 1);
  c.form().mouseUp(c.left() + 1, c.top() + 1);
}

void AppTest::start() {
  ui.setTitle(app::App::kTitle);
  app = std::make_unique<app::App>(sys, ui);
  app->createWindows();
}

std::string AppTest::ini() {
  return sys.files().readFile("C:\\Program Files\\Orvanta\\qexsys.ini", 1 << 20).value_or("");
}

bool AppTest::shown(const std::string& text) const {
  for (const auto& b : backend.boxes)
    if (b.text == text) return true;
  return false;
}

}  // namespace testing_app
