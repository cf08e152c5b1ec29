// How a label hands its text to the renderer: where, in which colour, and, when disabled,
// engraved (a white copy one pixel down and right, then grey on top).
#include <gtest/gtest.h>

#include <vector>

#include "ui/form.h"
#include "ui/headless/headless_backend.h"

namespace {

struct Drawn {
  ui::Rect clip;  // the layout rectangle
  ui::Color color;
  std::string text;
  ui::Rect limit;  // the canvas's clip
};

struct RecordingText : ui::headless::FixedText {
  std::vector<Drawn> calls;
  void draw(ui::Bitmap&, const ui::Rect& layout, const ui::Rect& clip, const ui::Font& font,
            const std::string& text, ui::Align, bool) override {
    calls.push_back(Drawn{layout, font.color, text, clip});
  }
};

struct LabelPaintTest : ::testing::Test {
  ui::headless::HeadlessBackend backend;
  ui::Application app{backend};
  ui::Form form{app, "Tlabelfrm", "labelfrm", 100, 60};
  ui::Label label{form, "Label1", ui::Rect{10, 20, 60, 32}, "Tom & Jerry && &Co"};
  ui::Bitmap target{100, 60};
  RecordingText text;

  std::vector<Drawn> paint(const ui::Rect* clip = nullptr) {
    ui::Canvas canvas(target, &text);
    if (clip) canvas.setClip(*clip);
    form.paintClient(canvas);
    return text.calls;
  }
};

TEST_F(LabelPaintTest, EnabledLabelDrawsOnceInItsColourWithItsCaptionAsItIs) {
  label.setFont(ui::Font::pixels("Verdana", 12, false, ui::kNavy));
  const auto calls = paint();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].color, ui::kNavy);
  EXPECT_EQ(calls[0].text, "Tom & Jerry && &Co");
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

// A change repaints only the area it touched: a scan that shows every item it looks up must
// not draw the whole window each time.
TEST_F(LabelPaintTest, AChangeRepaintsWhereTheLabelWasAndIsAndNothingElse) {
  form.show();
  backend.invalidatedAreas.clear();
  label.setCaption("ab");  // auto-sized: it shrinks
  ASSERT_EQ(backend.invalidatedAreas.size(), 2u);
  const ui::Rect was = backend.invalidatedAreas.front(), is = backend.invalidatedAreas.back();
  EXPECT_EQ(was.left, 10);
  EXPECT_GT(was.right, is.right);
  EXPECT_EQ(is.right, label.bounds().right + 1);  // the engraved copy reaches one pixel further
  backend.invalidatedAreas.clear();
  label.setCaption("cd");  // the same size
  ASSERT_EQ(backend.invalidatedAreas.size(), 1u);
  EXPECT_EQ(backend.invalidatedAreas[0].right, is.right);

  const ui::Rect elsewhere{70, 0, 100, 60}, across{0, 25, 100, 26};
  EXPECT_TRUE(paint(&elsewhere).empty());
  const auto calls = paint(&across);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].clip.top, label.top());  // laid out as ever, drawn only inside the clip
  EXPECT_EQ(calls[0].limit.top, 25);
  EXPECT_EQ(calls[0].limit.bottom, 26);
}

TEST(CanvasClip, DrawingChangesNoPixelOutsideTheClip) {
  ui::Bitmap target(20, 20, ui::kBlack), picture(20, 20, ui::kNavy);
  ui::Canvas canvas(target);
  canvas.setClip(ui::Rect{5, 5, 10, 10});
  canvas.brush = ui::kWhite;
  canvas.fillRect(ui::Rect{0, 0, 20, 20});
  canvas.draw(0, 0, picture);
  canvas.roundRect(ui::Rect{0, 0, 20, 20}, 4, 4);
  canvas.pen = ui::kGray;
  canvas.frameRect(ui::Rect{0, 0, 20, 6});
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      const bool inside = x >= 5 && x < 10 && y >= 5 && y < 10;
      if (!inside) {
        EXPECT_EQ(target.pixel(x, y), ui::kBlack) << x << "," << y;
      }
    }
  EXPECT_EQ(target.pixel(5, 5), ui::kGray);  // the frame's bottom row, inside the clip
}

}  // namespace
