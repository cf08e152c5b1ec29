// The window frame's widgets on the headless backend with the generated skin: the check
// picture's states, hover links and the standard button under the window's hover latch, and
// the scroll bar; and the window's own picture.
#include <gtest/gtest.h>

#include "frame/checkpicture.h"
#include "frame/hoverlink.h"
#include "frame/scrollbar.h"
#include "frame/skinnedform.h"
#include "frame/standardbutton.h"
#include "frame/toollook.h"
#include "skin/dib.h"
#include "platform/fake/fake_services.h"
#include "tests/unit/app_fixture.h"
#include "ui/headless/headless_backend.h"

namespace {

using State = frame::CheckPicture::State;

struct Widgets : ::testing::Test {
  platform::fake::FakeServices sys;
  ui::headless::HeadlessBackend backend;
  ui::Application ui{backend};
  std::unique_ptr<frame::Skin> skin;
  std::unique_ptr<frame::SkinnedForm> form;
  Widgets() {
    testing_app::installSkin(sys.fakeLibraries);
    skin = std::make_unique<frame::Skin>(sys.libraries().load(frame::Skin::kFileName), sys.sound());
    form = std::make_unique<frame::SkinnedForm>(ui, *skin, "Ttestfrm", "testfrm", 335, 254, "Test", "about_form");
  }
  void move(ui::Control& c) { form->mouseMove(c.left() + 1, c.top() + 1); }
  void click(ui::Control& c) {
    move(c);
    form->mouseDown(c.left() + 1, c.top() + 1);
    form->mouseUp(c.left() + 1, c.top() + 1);
  }
};

TEST_F(Widgets, CheckPictureTogglesOnlyOnceItHasShownItsHover) {
  ui::Image image(*form, "Image1", {10, 10, 30, 30});
  frame::CheckPicture check(*skin, image, "clear");
  check.reset(false);
  EXPECT_EQ(check.state(), State::IncludedUnderMouse);
  EXPECT_EQ(image.pictureName(), "clear_chk");  // the plain picture, though "under the mouse"
  check.hover();
  EXPECT_EQ(image.pictureName(), "clear_chk");  // so the first hover changes nothing
  check.leave();
  EXPECT_EQ(check.state(), State::Included);
  EXPECT_FALSE(check.click());  // away from the mouse a click does nothing
  check.hover();
  EXPECT_EQ(image.pictureName(), "clear_chk_over");
  EXPECT_TRUE(check.click());
  EXPECT_TRUE(check.excluded());
  EXPECT_EQ(check.state(), State::Excluded);
  EXPECT_EQ(image.pictureName(), "clear_uchk_over");
  check.hover();
  EXPECT_EQ(check.state(), State::ExcludedUnderMouse);
  check.leave();
  EXPECT_EQ(image.pictureName(), "clear_uchk");
  EXPECT_TRUE(check.click());  // an excluded item toggles back even away from the mouse
  EXPECT_FALSE(check.excluded());
  EXPECT_EQ(image.pictureName(), "clear_chk_over");
  check.reset(true);
  EXPECT_EQ(image.pictureName(), "clear_uchk");
}

TEST_F(Widgets, HoverLinksShareTheWindowsLatch) {
  ui::Label a(*form, "A", {10, 10, 60, 22}, "first"), b(*form, "B", {10, 40, 60, 52}, "second");
  int opened = 0;
  frame::HoverLink first(a, form->hoverLatch, [&] { ++opened; });
  frame::HoverLink second(b, form->hoverLatch, nullptr);
  EXPECT_EQ(a.cursor, ui::Cursor::Hand);
  move(a);
  EXPECT_TRUE(a.font().underline);
  move(b);  // straight from one link onto the other: the latch is still held
  EXPECT_FALSE(b.font().underline);
  first.normal();
  form->hoverLatch = false;
  move(b);
  EXPECT_TRUE(b.font().underline);
  click(a);
  EXPECT_EQ(opened, 1);
}

TEST_F(Widgets, StandardButtonRoutesItsCaptionAndIgnoresTheMouseWhileDisabled) {
  ui::Image face(*form, "Image1");
  ui::Label caption(*form, "Label1");
  int clicks = 0;
  frame::StandardButton button(*skin, face, caption, form->hoverLatch, 216, 208, "Close", [&] { ++clicks; });
  EXPECT_EQ(face.bounds().right, 216 + 97);
  EXPECT_EQ(face.pictureName(), "stand_btn_1");
  EXPECT_EQ(caption.caption(), "Close");
  EXPECT_EQ(caption.top(), 214);
  move(caption);
  EXPECT_EQ(face.pictureName(), "stand_btn_2");
  form->mouseDown(caption.left() + 1, caption.top() + 1);
  EXPECT_EQ(face.pictureName(), "stand_btn_3");
  form->mouseUp(caption.left() + 1, caption.top() + 1);
  EXPECT_EQ(face.pictureName(), "stand_btn_1");
  EXPECT_EQ(clicks, 1);

  button.setEnabled(false);
  EXPECT_FALSE(caption.enabled());
  form->hoverLatch = false;
  click(face);
  click(caption);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(face.pictureName(), "stand_btn_1");
}

TEST_F(Widgets, LabelSettersRefitAndRepaint) {
  ui::Label l(*form, "L", {100, 10, 100, 10}, "abcd");
  l.setFont(ui::Font::pixels("Verdana", 11));
  const int wide = l.width();
  l.setAlignment(ui::Align::Right);
  l.setCaption("ab");
  EXPECT_EQ(l.bounds().right, 100 + wide);  // a right-aligned label keeps its right edge
  EXPECT_EQ(l.width(), wide / 2);
  l.setAutoSize(false);
  l.setCaption("abcdefgh");
  EXPECT_EQ(l.width(), wide / 2);
  form->show();
  const int before = backend.invalidations;
  l.setTransparent(false);
  l.setColor(ui::kNavy);
  EXPECT_EQ(backend.invalidations, before + 2);
}

// The thumb stands where the list does; the bar keeps its position within the list and turns
// the wheel into rows.
TEST_F(Widgets, ScrollBarShowsWhereTheListStandsAndKeepsWithinIt) {
  using frame::toollook::kBarFill;
  using frame::toollook::kFramePen;
  frame::ScrollBar bar(*form, "Bar", {100, 20, 100 + frame::ScrollBar::kWidth, 160});
  int scrolled = 0;
  bar.onScroll = [&] { ++scrolled; };
  bar.setRange(8, 8);
  EXPECT_FALSE(bar.visible());
  bar.setRange(40, 10);
  EXPECT_TRUE(bar.visible());
  const auto at = [&](int y) {
    ui::Bitmap picture(335, 254);
    ui::Canvas canvas(picture);
    form->paintClient(canvas);
    return picture.pixel(104, y);
  };
  const int nearTop = 20 + frame::ScrollBar::kWidth + 12;
  const int nearEnd = 160 - frame::ScrollBar::kWidth - 12;
  EXPECT_EQ(at(nearTop), kBarFill);
  EXPECT_EQ(at(nearEnd), kFramePen);
  bar.scrollTo(99);
  EXPECT_EQ(bar.position(), 30);
  EXPECT_EQ(scrolled, 1);
  EXPECT_EQ(at(nearTop), kFramePen);
  EXPECT_EQ(at(nearEnd), kBarFill);
  // A shorter list moves the position into it, and says so.
  bar.setRange(20, 10);
  EXPECT_EQ(bar.position(), 10);
  EXPECT_EQ(scrolled, 2);

  // Three rows a notch; a turn back forgets the half notch kept from the other way.
  bar.scrollTo(5);
  bar.wheel(60);
  EXPECT_EQ(bar.position(), 5);
  bar.wheel(-60);
  bar.wheel(-60);
  EXPECT_EQ(bar.position(), 8);
  bar.wheel(-360);
  EXPECT_EQ(bar.position(), 10);
  EXPECT_EQ(*bar.property("position"), "10");
}

// A window's picture is looked for when the window is made, so that a skin without it fails
// there, and drawn at every painting from the skin's own pixels.
TEST_F(Widgets, TheWindowsPictureIsCheckedWhenItIsMadeAndDrawnWhenPainted) {
  ui::Bitmap picture(6, 4, ui::rgb(10, 20, 30));
  picture.setPixel(5, 3, ui::rgb(200, 100, 50));
  sys.fakeLibraries.addResource(frame::Skin::kFileName, platform::ResourceType::Bitmap, "tiny_form",
                                skin::encodeDib(picture));
  // An 8-bit picture whose only pixel names the sixth colour of a table of one.
  std::string outside = skin::encodeDib(ui::Bitmap(1, 1)).substr(0, 40);
  outside[14] = 8;
  outside[32] = 1;
  outside += std::string(4, '\0') + std::string("\x05\0\0\0", 4);
  sys.fakeLibraries.addResource(frame::Skin::kFileName, platform::ResourceType::Bitmap, "bad_form", outside);
  skin = std::make_unique<frame::Skin>(sys.libraries().load(frame::Skin::kFileName), sys.sound());

  for (const char* name : {"no_such_form", "bad_form"})
    EXPECT_THROW(frame::SkinnedForm(ui, *skin, "Tbadfrm", "badfrm", 6, 4, "Bad", name), frame::ResourceError)
        << name;

  frame::SkinnedForm tiny(ui, *skin, "Ttinyfrm", "tinyfrm", 6, 4, "Tiny", "tiny_form");
  for (int round = 0; round < 2; ++round) {
    ui::Bitmap shown(6, 4, ui::kBlack);
    ui::Canvas canvas(shown);
    tiny.paintClient(canvas);
    EXPECT_EQ(shown.pixel(0, 0), ui::rgb(10, 20, 30)) << round;
    EXPECT_EQ(shown.pixel(5, 3), ui::rgb(200, 100, 50)) << round;
  }
  // A painting of one corner draws the picture's pixels of that corner.
  ui::Bitmap corner(2, 2, ui::kBlack);
  ui::Canvas canvas(corner, nullptr, 4, 2);
  canvas.setClip(ui::Rect{4, 2, 6, 4});
  tiny.paintClient(canvas);
  EXPECT_EQ(corner.pixel(0, 0), ui::rgb(10, 20, 30));
  EXPECT_EQ(corner.pixel(1, 1), ui::rgb(200, 100, 50));
}

// The dashboard loads its links' pictures every ten seconds: the one already shown costs no
// decoding and no painting, another one both.
TEST_F(Widgets, LoadingThePictureAlreadyShownRepaintsNothing) {
  form->show();
  ui::Image image(*form, "Image1", {10, 10, 30, 30});
  skin->load(image, "login_1");
  const int painted = backend.invalidations;
  skin->load(image, "login_1");
  EXPECT_EQ(backend.invalidations, painted);
  skin->load(image, "login_2");
  EXPECT_GT(backend.invalidations, painted);
  EXPECT_EQ(image.pictureName(), "login_2");
  image.clearPicture();
  skin->load(image, "login_2");
  EXPECT_FALSE(image.picture().empty());
}

}  // namespace
