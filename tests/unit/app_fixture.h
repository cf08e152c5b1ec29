// The program on fakes and the headless backend: a fresh application for every test, with the
// generated skin in a fake ulmres.dll.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "app/app.h"
#include "platform/fake/fake_services.h"
#include "ui/form.h"
#include "ui/headless/headless_backend.h"

namespace testing_app {

// Puts every picture and sound of the generated skin into the fake library file.
void installSkin(platform::fake::FakeLibraries& libraries, const std::string& fileName = "ulmres.dll");

struct AppTest : ::testing::Test {
  platform::fake::FakeServices sys;
  ui::headless::HeadlessBackend backend;
  ui::Application ui{backend};
  std::unique_ptr<app::App> app;

  AppTest();
  // A picture the skin lacks would have been shown as the resource error.
  void TearDown() override;
  // Makes the application and its windows, as the start-up does.
  void start();
  std::string ini();
  // Boxes shown so far whose caption is the product name and whose text is the given one.
  bool shown(const std::string& text) const;
  // The mouse comes over the control, goes down and up again inside it.
  static void click(ui::Control& c);
};

}  // namespace testing_app
