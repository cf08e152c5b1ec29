// How a label hands its text to the renderer: where, in which colour, and, when disabled,
// engraved (a white copy one pixel down and right, then grey on top).
#include <gtest/gtest.h>

#include <vector>

#include "ui/form.h"
#include "ui/headless/headless_backend.h"

namespace {

struct Drawn {
  ui::Rect clip;
  ui::Color color;
  std::string text;
};

struct RecordingText : ui::headless::FixedText {
  std::vector<Drawn> calls;
  void draw(ui::Bitmap&, const ui::Rect& clip, const ui::Font& font, const std::string& text, ui::Align,
            bool) override {
    calls.push_back(Drawn{clip, font.color, text});
  }
};

struct LabelPaintTest : ::testing::Test {
  ui::headless::HeadlessBackend backend;
  ui::Application app{backend};
  ui::Form form{app, "Tlabelfrm", "labelfrm", 100, 60};
  ui::Label label{form, "Label1", ui::Rect{10, 20, 60, 32}, "Save && &Quit"};
  ui::Bitmap target{100, 60};
  RecordingText text;

  std::vector<Drawn> paint() {
    ui::Canvas canvas(target, &text);
    form.paintClient(canvas);
    return text.calls;
  }
};

TEST_F(LabelPaintTest, EnabledLabelDrawsOnceInItsColourWithTheAcceleratorResolved) {
  label.setFont(ui::Font::pixels("Verdana", 12, false, ui::kNavy));
  const auto calls = paint();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].color, ui::kNavy);
  EXPECT_EQ(calls[0].text, "Save & Quit");
  EXPECT_EQ(calls[0].clip.left, label.left());
  EXPECT_EQ(calls[0].clip.top, label.top());
}

TEST_F(LabelPaintTest, DisabledLabelIsEngravedWhiteUnderGreyWhateverItsColour) {
  label.setFont(ui::Font::pixels("Verdana", 12, true, ui::kNavy));
  label.setEnabled(false);
  const auto calls = paint();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].color, ui::kWhite);
  EXPECT_EQ(calls[0].clip.left, label.left() + 1);
  EXPECT_EQ(calls[0].clip.top, label.top() + 1);
  EXPECT_EQ(calls[0].clip.right, label.bounds().right + 1);
  EXPECT_EQ(calls[1].color, ui::kGray);
  EXPECT_EQ(calls[1].clip.left, label.left());
  EXPECT_EQ(calls[1].text, calls[0].text);
  // The label keeps its own colour for when it is enabled again.
  EXPECT_EQ(label.font().color, ui::kNavy);
}

TEST_F(LabelPaintTest, HiddenLabelDrawsNothing) {
  label.setVisible(false);
  EXPECT_TRUE(paint().empty());
}

}  // namespace
