// The tool windows' shared pieces on the headless backend: section links and their highlight
// bar, the list under its header frame, and the message pump of long walks.
#include <gtest/gtest.h>

#include "frame/listheader.h"
#include "frame/sectionlinks.h"
#include "frame/skinnedform.h"
#include "frame/toollook.h"
#include "platform/fake/fake_services.h"
#include "tests/unit/app_fixture.h"
#include "ui/headless/headless_backend.h"

namespace {

struct ToolLook : ::testing::Test {
  platform::fake::FakeServices sys;
  ui::headless::HeadlessBackend backend;
  ui::Application ui{backend};
  std::unique_ptr<frame::Skin> skin;
  std::unique_ptr<frame::SkinnedForm> form;
  ToolLook() {
    testing_app::installSkin(sys.fakeLibraries);
    skin = std::make_unique<frame::Skin>(sys.libraries().load(frame::Skin::kFileName), sys.sound());
    form = std::make_unique<frame::SkinnedForm>(ui, *skin, "Ttoolfrm", "toolfrm", 566, 365, "Tool",
                                                "start_form");
  }
};

TEST_F(ToolLook, TheBarStandsBehindTheOpenSectionAndLinksUnderlineOneAtATime) {
  ui::Image bar(*form, "Image1");
  ui::Label first(*form, "Label1"), second(*form, "Label2");
  frame::SectionLinks links(bar, form->hoverLatch);
  int clicked = 0;
  links.add(first, "First", 64, [&] { ++clicked; });
  links.add(second, "Second", 96, [&] { clicked += 10; });
  EXPECT_EQ(first.left(), 32);
  EXPECT_EQ(second.top(), 96);
  EXPECT_GT(first.width(), 0);
  EXPECT_TRUE(first.font().bold);
  EXPECT_EQ(bar.width(), 205);
  EXPECT_EQ(bar.picture().pixel(100, 12), frame::toollook::kBarFill);
  links.highlight(second);
  EXPECT_EQ(bar.top(), 90);
  links.highlight(first);
  EXPECT_EQ(bar.top(), 58);

  // The bar lies under the links: a click on a link's text reaches the link.
  form->mouseMove(first.left() + 1, first.top() + 1);
  form->mouseDown(first.left() + 1, first.top() + 1);
  form->mouseUp(first.left() + 1, first.top() + 1);
  EXPECT_EQ(clicked, 1);
  EXPECT_TRUE(first.font().underline);
  form->mouseMove(second.left() + 1, second.top() + 1);
  EXPECT_FALSE(second.font().underline);  // the first still holds the latch
  links.normal();
  form->hoverLatch = false;
  EXPECT_FALSE(first.font().underline);
  form->mouseMove(second.left() + 1, second.top() + 1);
  EXPECT_TRUE(second.font().underline);
}

TEST_F(ToolLook, TheHeaderFrameRisesAboveTheListAndHidesItsLowerCornersUnderIt) {
  ui::Shape frame(*form, "Shape1");
  ui::Label header(*form, "Label6");
  ui::ListView list(*form, "ListView1");
  frame::ListHeader look(frame, list, {240, 57, 545, 184});
  look.add(header, 246, "Application");
  EXPECT_EQ(frame.top(), 36);
  EXPECT_GT(frame.bounds().bottom, list.top());
  EXPECT_LT(frame.bounds().bottom, list.bounds().bottom);
  EXPECT_EQ(frame.left(), list.left());
  EXPECT_EQ(frame.width(), list.width());
  EXPECT_EQ(header.top(), 40);
  EXPECT_GT(header.bounds().bottom, frame.top());
  EXPECT_LT(header.bounds().bottom, list.top());
  EXPECT_FALSE(list.showColumnHeaders);
  EXPECT_EQ(list.color(), frame::toollook::kListBack);
  EXPECT_EQ(list.font().color, ui::kNavy);
}

}  // namespace
